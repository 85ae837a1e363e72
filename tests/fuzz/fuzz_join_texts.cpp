// JoinTexts of one to four texts, each of any bytes or missing: the result is the
// texts one after another, each up to its first zero byte, a missing one adding
// nothing.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "panel/text_conversions.h"

namespace korrelin::fuzz {
namespace {

std::string Join(const std::vector<std::optional<std::string_view>>& texts) {
    switch (texts.size()) {
        case 1:
            return JoinTexts({texts[0]});
        case 2:
            return JoinTexts({texts[0], texts[1]});
        case 3:
            return JoinTexts({texts[0], texts[1], texts[2]});
        default:
            return JoinTexts({texts[0], texts[1], texts[2], texts[3]});
    }
}

}  // namespace
}  // namespace korrelin::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korrelin::fuzz;
    FuzzedDataProvider input(data, size);
    const std::size_t count = input.ConsumeIntegralInRange<std::size_t>(1, 4);
    std::vector<std::string> storage;
    std::vector<bool> missing;
    for (std::size_t i = 0; i < count; ++i) {
        missing.push_back(input.ConsumeBool());
        storage.push_back(i + 1 == count ? input.ConsumeRemainingBytesAsString()
                                         : input.ConsumeRandomLengthString(64));
    }
    std::vector<std::optional<std::string_view>> texts;
    std::string expected;
    for (std::size_t i = 0; i < count; ++i) {
        if (missing[i]) {
            texts.emplace_back(std::nullopt);
            continue;
        }
        texts.emplace_back(storage[i]);
        expected += storage[i].substr(0, storage[i].find('\0'));
    }
    const std::string joined = Join(texts);
    Require(joined == expected, "the join is the texts up to their zero bytes, in order");
    return 0;
}
