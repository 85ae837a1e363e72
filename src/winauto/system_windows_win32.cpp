#include "winauto/system_windows_win32.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "winauto/codepage_win32.h"

namespace korrelin {

namespace {

HANDLE ToHandle(KernelHandle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// The longest prefix of the text of at most `limit` bytes that ends on a character
// boundary: a byte of 0x80 or above and the byte after it form one character.
std::size_t WholeCharacterPrefix(const std::string& text, std::size_t limit) {
    std::size_t length = 0;
    while (length < text.size()) {
        const std::size_t step = static_cast<unsigned char>(text[length]) >= 0x80 ? 2 : 1;
        if (length + step > limit) break;
        length += step;
    }
    return std::min(length, text.size());
}

std::int32_t ToSigned32(std::uint32_t value) {
    if (value <= 0x7FFFFFFFu) return static_cast<std::int32_t>(value);
    return static_cast<std::int32_t>(value - 0x80000000u) + INT32_MIN;
}

}  // namespace

Win32SystemWindows::Win32SystemWindows(MessageFilter filter) : filter_(std::move(filter)) {}

void Win32SystemWindows::SetMessageFilter(MessageFilter filter) {
    filter_ = std::move(filter);
}

WindowHandle Win32SystemWindows::FromHwnd(HWND window) {
    return ToSigned32(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window)));
}

HWND Win32SystemWindows::ToHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(window));
}

WindowHandle Win32SystemWindows::FindWindowExA(WindowHandle parent, WindowHandle childAfter,
                                               std::string_view className,
                                               std::optional<std::string_view> title) {
    const std::wstring wideClass = WideFromCodePage936(className);
    std::wstring wideTitle;
    if (title) wideTitle = WideFromCodePage936(*title);
    return FromHwnd(::FindWindowExW(ToHwnd(parent), ToHwnd(childAfter), wideClass.c_str(),
                                    title ? wideTitle.c_str() : nullptr));
}

int Win32SystemWindows::GetWindowTextA(WindowHandle window, char* buffer, int size) {
    if (buffer == nullptr || size <= 0) return 0;
    // Every UTF-16 unit gives at least half a byte in code page 936, so twice the size
    // in units is enough to fill the buffer when the title is longer.
    std::wstring wide(static_cast<std::size_t>(size) * 2 + 1, L'\0');
    const int units = ::GetWindowTextW(ToHwnd(window), wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(std::max(units, 0)));
    const std::string title = CodePage936FromWide(wide);
    const std::size_t length = WholeCharacterPrefix(title, static_cast<std::size_t>(size - 1));
    if (length > 0) std::memcpy(buffer, title.data(), length);
    buffer[length] = '\0';
    return static_cast<int>(length);
}

bool Win32SystemWindows::GetWindowRect(WindowHandle window, ScreenRect& rect) {
    RECT r;
    if (!::GetWindowRect(ToHwnd(window), &r)) return false;
    rect = ScreenRect{r.left, r.top, r.right, r.bottom};
    return true;
}

WindowHandle Win32SystemWindows::GetDesktopWindow() {
    return FromHwnd(::GetDesktopWindow());
}

bool Win32SystemWindows::PostMessageA(WindowHandle window, std::uint32_t message,
                                      std::uint32_t wParam, std::uint32_t lParam) {
    // The posted mouse messages carry no text, so the wide routine posts the same thing.
    // lParam is signed: it is widened as a 32-bit process would see it.
    return ::PostMessageW(ToHwnd(window), message, static_cast<WPARAM>(wParam),
                          static_cast<LPARAM>(ToSigned32(lParam))) != FALSE;
}

KernelHandle Win32SystemWindows::CreateWaitableTimerA() {
    return reinterpret_cast<KernelHandle>(::CreateWaitableTimerW(nullptr, FALSE, nullptr));
}

bool Win32SystemWindows::SetWaitableTimer(KernelHandle timer, std::int64_t dueTime) {
    LARGE_INTEGER due;
    due.QuadPart = dueTime;
    return ::SetWaitableTimer(ToHandle(timer), &due, 0, nullptr, nullptr, FALSE) != FALSE;
}

std::uint32_t Win32SystemWindows::MsgWaitForMultipleObjects(KernelHandle handle,
                                                            std::uint32_t timeoutMs,
                                                            std::uint32_t wakeMask) {
    if (handle == 0) {
        // With no object, input is reported as WAIT_OBJECT_0 + 0: say it as with one.
        const DWORD result = ::MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs, wakeMask);
        return result == WAIT_OBJECT_0 ? kWaitObject0 + 1 : result;
    }
    const HANDLE object = ToHandle(handle);
    return ::MsgWaitForMultipleObjects(1, &object, FALSE, timeoutMs, wakeMask);
}

bool Win32SystemWindows::CloseHandle(KernelHandle handle) {
    return ::CloseHandle(ToHandle(handle)) != FALSE;
}

void Win32SystemWindows::DispatchPendingMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE) && message.message != WM_QUIT) {
        if (!::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) break;
        if (message.message == WM_QUIT) {
            // What was looked at went away meanwhile; the quit stays for the message loop.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (filter_ && filter_(message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

std::uint64_t Win32SystemWindows::TickCountMs() {
    return ::GetTickCount64();
}

}  // namespace korrelin
