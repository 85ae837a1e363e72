#include "support/waiting.h"

namespace korrelin::support {
namespace {

constexpr DWORD kPollIntervalMs = 10;

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        Sleep(kPollIntervalMs);
    }
}

std::vector<HWND> FindTopLevelWindows(const WindowMatch& match) {
    std::vector<HWND> windows;
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, match.className.c_str(),
                                   match.title ? match.title->c_str() : nullptr)) != nullptr) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        if (!match.processId || *match.processId == processId) windows.push_back(window);
    }
    return windows;
}

HWND WaitForTopLevelWindow(const WindowMatch& match, std::chrono::milliseconds timeout) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            const std::vector<HWND> windows = FindTopLevelWindows(match);
            found = windows.empty() ? nullptr : windows.front();
            return found != nullptr;
        },
        timeout);
    return found;
}

bool WaitForNoTopLevelWindow(const WindowMatch& match, std::chrono::milliseconds timeout) {
    return WaitUntil([&] { return FindTopLevelWindows(match).empty(); }, timeout);
}

RECT OuterRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

}  // namespace korrelin::support
