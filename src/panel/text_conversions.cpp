#include "panel/text_conversions.h"

namespace korrelin {

namespace {

bool IsLeadByte(unsigned char byte) {
    return byte >= 0x80;
}

// The single byte a two-byte character of code page 936 narrows to, or 0 when
// the character is kept as it is.
unsigned char NarrowedByte(unsigned char lead, unsigned char trail) {
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return trail - 0x80;  // full-width ASCII
    if (lead == 0xA1) {
        if (trail == 0xA1) return 0x20;                   // ideographic space
        if (trail == 0xAB) return 0x7E;                   // full-width tilde
        if (trail == 0xEE || trail == 0xEF) return 0x2A;  // white and black star
    }
    return 0;
}

std::string Narrow(std::string_view text) {
    std::string narrowed;
    narrowed.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (!IsLeadByte(byte)) {
            narrowed.push_back(text[i]);
            continue;
        }
        if (i + 1 >= text.size()) break;  // a lone lead byte at the end is dropped
        const auto trail = static_cast<unsigned char>(text[++i]);
        if (const unsigned char single = NarrowedByte(byte, trail)) {
            narrowed.push_back(static_cast<char>(single));
        } else {
            narrowed.push_back(static_cast<char>(byte));
            narrowed.push_back(static_cast<char>(trail));
        }
    }
    return narrowed;
}

bool IsSpace(char c) {
    return c == ' ' || (c >= 0x09 && c <= 0x0D);
}

}  // namespace

std::string_view UpToTerminator(std::optional<std::string_view> text) {
    if (!text) return {};
    return text->substr(0, text->find('\0'));
}

std::int32_t TextToInteger(std::optional<std::string_view> text) {
    const std::string narrowed = Narrow(UpToTerminator(text));
    std::size_t i = 0;
    while (i < narrowed.size() && IsSpace(narrowed[i])) ++i;
    bool negative = false;
    if (i < narrowed.size() && (narrowed[i] == '+' || narrowed[i] == '-')) {
        negative = narrowed[i] == '-';
        ++i;
    }
    // Unsigned arithmetic wraps modulo 2^32 where signed would overflow.
    std::uint32_t value = 0;
    for (; i < narrowed.size() && narrowed[i] >= '0' && narrowed[i] <= '9'; ++i) {
        value = value * 10u + static_cast<std::uint32_t>(narrowed[i] - '0');
    }
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

std::string JoinTexts(std::initializer_list<std::optional<std::string_view>> texts) {
    std::size_t total = 0;
    for (const auto& text : texts) total += UpToTerminator(text).size();
    std::string joined;
    joined.reserve(total);
    for (const auto& text : texts) joined += UpToTerminator(text);
    return joined;
}

}  // namespace korrelin
