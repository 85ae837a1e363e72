#pragma once
// The two text routines shared by the commands and the menu watcher. Texts are
// code page 936 byte strings; a missing text (nullopt) counts as the empty text,
// and a text ends at its first zero byte as the system's texts do.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace korrelin {

// The decimal number a text begins with, after white space and one sign; full-width
// digits, signs and the ideographic space count as their ASCII forms. Wraps modulo
// 2^32 instead of overflowing; no digits give 0.
std::int32_t TextToInteger(std::optional<std::string_view> text);

// A new text of the given texts one after another; never missing, possibly empty.
std::string JoinTexts(std::initializer_list<std::optional<std::string_view>> texts);

// The text up to its first zero byte; a missing text gives the empty text.
std::string_view UpToTerminator(std::optional<std::string_view> text);

}  // namespace korrelin
