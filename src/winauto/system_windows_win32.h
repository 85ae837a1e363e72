#pragma once
// The system window interface on the real window manager. Texts are converted
// explicitly between code page 936 and UTF-16 and the wide routines are called, so
// the tool sees the same bytes whatever the system's ANSI code page.

#include <windows.h>

#include <cstdint>
#include <functional>

#include "winauto/system_windows.h"

namespace korrelin {

class Win32SystemWindows : public SystemWindows {
  public:
    // Sees every message that DispatchPendingMessages takes from the queue, before it is
    // translated and dispatched, and returns true when it has consumed the message
    // (it is then neither translated nor dispatched). The panel puts its keyboard
    // handling here, so Tab and Esc work during a pause as in the message loop.
    using MessageFilter = std::function<bool(MSG&)>;

    explicit Win32SystemWindows(MessageFilter filter = nullptr);
    void SetMessageFilter(MessageFilter filter);

    // Window handles carry 32 significant bits, also in 64-bit processes; going back,
    // the handle is sign-extended as the system does.
    static WindowHandle FromHwnd(HWND window);
    static HWND ToHwnd(WindowHandle window);

    WindowHandle FindWindowExA(WindowHandle parent, WindowHandle childAfter,
                               std::string_view className,
                               std::optional<std::string_view> title) override;
    // The title in code page 936, cut to at most size - 1 bytes at a character boundary
    // (a byte of 0x80 or above starts a two-byte character), and a zero byte.
    int GetWindowTextA(WindowHandle window, char* buffer, int size) override;
    bool GetWindowRect(WindowHandle window, ScreenRect& rect) override;
    WindowHandle GetDesktopWindow() override;
    bool PostMessageA(WindowHandle window, std::uint32_t message, std::uint32_t wParam,
                      std::uint32_t lParam) override;
    KernelHandle CreateWaitableTimerA() override;
    bool SetWaitableTimer(KernelHandle timer, std::int64_t dueTime) override;
    std::uint32_t MsgWaitForMultipleObjects(KernelHandle handle, std::uint32_t timeoutMs,
                                            std::uint32_t wakeMask) override;
    bool CloseHandle(KernelHandle handle) override;
    // PeekMessageW looks; while a message is there and it is not WM_QUIT, it is taken,
    // offered to the filter, translated and dispatched.
    void DispatchPendingMessages() override;
    std::uint64_t TickCountMs() override;

  private:
    MessageFilter filter_;
};

}  // namespace korrelin
