#pragma once
// Waiting in Wine tests: for a window of another process, or for any condition,
// always with a deadline. Wine starts programs slowly (seconds, the first time in
// a fresh prefix), so the default deadline is generous; a test that passes never
// waits for it.

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace korrelin::support {

inline constexpr std::chrono::milliseconds kGenerousTimeout{30000};

// Checks the condition every few milliseconds until it holds or the timeout has
// passed; returns whether it held.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = kGenerousTimeout);

// Top-level windows by class, and optionally by whole title and owning process.
struct WindowMatch {
    std::wstring className;
    std::optional<std::wstring> title = std::nullopt;
    std::optional<DWORD> processId = std::nullopt;
};

// The matching top-level windows in the order in which the system lists them
// (FindWindowExW: the topmost first).
std::vector<HWND> FindTopLevelWindows(const WindowMatch& match);

// The first matching window, once there is one; nullptr when the timeout passes.
HWND WaitForTopLevelWindow(const WindowMatch& match,
                           std::chrono::milliseconds timeout = kGenerousTimeout);

// Whether, within the timeout, no matching window is left.
bool WaitForNoTopLevelWindow(const WindowMatch& match,
                             std::chrono::milliseconds timeout = kGenerousTimeout);

// The window's outer rectangle in screen pixels (GetWindowRect); all zero when
// the window does not exist.
RECT OuterRect(HWND window);

}  // namespace korrelin::support
