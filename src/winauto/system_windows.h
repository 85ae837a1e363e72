#pragma once
// The narrow interface through which portable code reaches the window manager:
// the nine system routines the tool calls, named as in Windows, plus the GUI
// toolkit's "dispatch the pending messages" step and a millisecond clock.
// Texts cross it as code page 936 byte strings. Nothing here includes windows.h;
// the Win32 layer implements it, and the host tests use a scripted fake desktop.

#include <cstdint>
#include <optional>
#include <string_view>

namespace korrelin {

// A window handle as the system hands it out; 0 means no window. Window handles
// are 32 bits wide on every Windows, also in 64-bit processes.
using WindowHandle = std::int32_t;

// A kernel object handle (here: a waitable timer); 0 means none.
using KernelHandle = std::uintptr_t;

// A window's outer rectangle in screen pixels, as GetWindowRect reports it.
struct ScreenRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

inline constexpr std::uint32_t kWaitObject0 = 0x00000000;
inline constexpr std::uint32_t kWaitTimeout = 0x00000102;
inline constexpr std::uint32_t kWaitFailed = 0xFFFFFFFF;
inline constexpr std::uint32_t kInfinite = 0xFFFFFFFF;

class SystemWindows {
  public:
    virtual ~SystemWindows() = default;

    // The next top-level window after childAfter (0: from the first) of the class
    // and, when a title is given, with exactly that title; 0 when there is none.
    virtual WindowHandle FindWindowExA(WindowHandle parent, WindowHandle childAfter,
                                       std::string_view className,
                                       std::optional<std::string_view> title) = 0;
    // Writes at most size - 1 bytes of the title and a zero byte into buffer.
    virtual int GetWindowTextA(WindowHandle window, char* buffer, int size) = 0;
    virtual bool GetWindowRect(WindowHandle window, ScreenRect& rect) = 0;
    virtual WindowHandle GetDesktopWindow() = 0;
    virtual bool PostMessageA(WindowHandle window, std::uint32_t message, std::uint32_t wParam,
                              std::uint32_t lParam) = 0;
    // An unnamed auto-reset timer with default security; 0 on failure.
    virtual KernelHandle CreateWaitableTimerA() = 0;
    // Arms the timer once (period 0, no completion routine, resume FALSE).
    // dueTime is in 100 ns units; a negative value counts from now.
    virtual bool SetWaitableTimer(KernelHandle timer, std::int64_t dueTime) = 0;
    // Waits on the one handle (wait-all FALSE) or for input of the wake mask kinds:
    // kWaitObject0 when the handle is signalled, kWaitObject0 + 1 when input arrived,
    // kWaitTimeout or kWaitFailed. Handle 0 waits for input or the time-out alone (no
    // object); input is then reported as kWaitObject0 + 1 too.
    virtual std::uint32_t MsgWaitForMultipleObjects(KernelHandle handle, std::uint32_t timeoutMs,
                                                    std::uint32_t wakeMask) = 0;
    virtual bool CloseHandle(KernelHandle handle) = 0;

    // Hands every pending message of the GUI thread to the message pump until the
    // queue is empty or holds WM_QUIT at its head; a WM_QUIT is left in place.
    virtual void DispatchPendingMessages() = 0;
    // Milliseconds since some fixed moment (GetTickCount64); only differences matter.
    virtual std::uint64_t TickCountMs() = 0;
};

}  // namespace korrelin
