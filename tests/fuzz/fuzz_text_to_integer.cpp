// TextToInteger on any bytes: no crash and no sanitizer report. On ASCII texts it
// equals a plain reading (white space, one sign, decimal digits wrapping modulo
// 2^32), and the same text in full-width forms (the ideographic space and the
// full-width signs and digits of code page 936) reads the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "panel/text_conversions.h"

namespace korrelin::fuzz {
namespace {

bool IsAscii(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

std::int32_t ReferenceValue(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= 0x09 && text[i] <= 0x0D))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::uint64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = (value * 10 + static_cast<std::uint64_t>(text[i] - '0')) % (1ull << 32);
    }
    if (negative) value = ((1ull << 32) - value) % (1ull << 32);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// Space as the ideographic space, 0x21 to 0x7E as their full-width forms; control
// bytes and the terminator stay.
std::string FullWidth(std::string_view text) {
    std::string wide;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0x20) {
            wide += "\xA1\xA1";
        } else if (byte >= 0x21 && byte <= 0x7E) {
            wide += '\xA3';
            wide += static_cast<char>(byte + 0x80);
        } else {
            wide += c;
        }
    }
    return wide;
}

}  // namespace
}  // namespace korrelin::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korrelin;
    using namespace korrelin::fuzz;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::int32_t value = TextToInteger(text);
    if (!IsAscii(text)) return 0;
    const std::int32_t expected = ReferenceValue(text);
    Require(value == expected, "TextToInteger equals the reference on ASCII text");
    Require(TextToInteger(FullWidth(text)) == expected,
            "full-width forms read as their ASCII forms");
    return 0;
}
