// Lowering and searching titles on any bytes. The input is one byte giving the
// fragment's length, the fragment, then the title.
//
// - Lowering keeps the length and changes only A-Z outside two-byte characters
//   (a byte of 0x80 or above and the byte after it), each to its small letter.
// - The fragment search agrees with a plain search that tries every position where
//   a character starts, so a match never starts inside a two-byte character.
// - On ASCII texts, searching the lowered texts is a case-blind search.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "winauto/window_queries.h"

namespace korrelin::fuzz {
namespace {

std::string_view UpToZero(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

bool IsLead(char c) {
    return static_cast<unsigned char>(c) >= 0x80;
}

// Whether each byte starts a character, walking from the first byte.
std::vector<bool> CharacterStarts(std::string_view text) {
    std::vector<bool> starts(text.size(), false);
    for (std::size_t i = 0; i < text.size(); i += IsLead(text[i]) ? 2 : 1) starts[i] = true;
    return starts;
}

std::string ReferenceLower(std::string_view text) {
    text = UpToZero(text);
    const std::vector<bool> starts = CharacterStarts(text);
    std::string lowered(text);
    for (std::size_t i = 0; i < lowered.size(); ++i) {
        if (starts[i] && lowered[i] >= 'A' && lowered[i] <= 'Z') lowered[i] += 'a' - 'A';
    }
    return lowered;
}

bool ReferenceContains(std::string_view title, std::string_view fragment) {
    title = UpToZero(title);
    fragment = UpToZero(fragment);
    if (fragment.empty()) return !title.empty();
    const std::vector<bool> starts = CharacterStarts(title);
    for (std::size_t at = title.find(fragment); at != std::string_view::npos;
         at = title.find(fragment, at + 1)) {
        if (starts[at]) return true;
    }
    return false;
}

bool IsAscii(std::string_view text) {
    return std::none_of(text.begin(), text.end(), IsLead);
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

bool CaseBlindContains(std::string_view title, std::string_view fragment) {
    title = UpToZero(title);
    fragment = UpToZero(fragment);
    if (fragment.empty()) return !title.empty();
    return std::search(title.begin(), title.end(), fragment.begin(), fragment.end(),
                       [](char a, char b) { return AsciiLower(a) == AsciiLower(b); }) !=
           title.end();
}

void CheckLowering(std::string_view text) {
    const std::string lowered = LowerTitleText(text);
    Require(lowered.size() == UpToZero(text).size(), "lowering keeps the length");
    Require(lowered == ReferenceLower(text), "lowering changes only A-Z outside characters");
}

}  // namespace
}  // namespace korrelin::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korrelin;
    using namespace korrelin::fuzz;
    if (size == 0) return 0;
    const std::size_t fragmentLength = std::min<std::size_t>(data[0], size - 1);
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string_view fragment = input.substr(0, fragmentLength);
    const std::string_view title = input.substr(fragmentLength);

    CheckLowering(title);
    CheckLowering(fragment);
    Require(ContainsTitleFragment(title, fragment) == ReferenceContains(title, fragment),
            "the search agrees with the search over character starts");
    const std::string lowerTitle = LowerTitleText(title);
    const std::string lowerFragment = LowerTitleText(fragment);
    const bool found = ContainsTitleFragment(lowerTitle, lowerFragment);
    Require(found == ReferenceContains(lowerTitle, lowerFragment),
            "the search of lowered texts agrees with the reference");
    if (IsAscii(title) && IsAscii(fragment)) {
        Require(found == CaseBlindContains(title, fragment),
                "on ASCII, the lowered search is blind to case");
    }
    return 0;
}
