#include "winauto/codepage_win32.h"

#include <windows.h>

#include <climits>

namespace korrelin {

std::wstring WideFromCodePage936(std::string_view text) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int size = static_cast<int>(text.size());
    const int count = MultiByteToWideChar(kProgramCodePage, 0, text.data(), size, nullptr, 0);
    if (count <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(count), L'\0');
    MultiByteToWideChar(kProgramCodePage, 0, text.data(), size, wide.data(), count);
    return wide;
}

std::string CodePage936FromWide(std::wstring_view text) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int size = static_cast<int>(text.size());
    const int count =
        WideCharToMultiByte(kProgramCodePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (count <= 0) return {};
    std::string bytes(static_cast<std::size_t>(count), '\0');
    WideCharToMultiByte(kProgramCodePage, 0, text.data(), size, bytes.data(), count, nullptr,
                        nullptr);
    return bytes;
}

}  // namespace korrelin
