#pragma once
// Explicit conversions between the program's code page 936 texts and the UTF-16 of
// the W routines, so the tool behaves the same whatever the system's ANSI code page.

#include <string>
#include <string_view>

namespace korrelin {

inline constexpr unsigned kProgramCodePage = 936;

std::wstring WideFromCodePage936(std::string_view text);
std::string CodePage936FromWide(std::wstring_view text);

}  // namespace korrelin
