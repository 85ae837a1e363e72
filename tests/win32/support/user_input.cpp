#include "support/user_input.h"

#include "support/waiting.h"

namespace korrelin::support {
namespace {

INPUT KeyInput(WORD virtualKey, WORD scanCode, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = scanCode;
    input.ki.dwFlags = flags;
    return input;
}

void Send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace

bool BringToForeground(HWND window) {
    return WaitUntil([window] {
        if (GetForegroundWindow() == window) return true;
        SetForegroundWindow(window);
        return false;
    });
}

void PressKey(WORD virtualKey, const std::vector<WORD>& modifiers) {
    std::vector<INPUT> inputs;
    for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, 0, 0));
    inputs.push_back(KeyInput(virtualKey, 0, 0));
    inputs.push_back(KeyInput(virtualKey, 0, KEYEVENTF_KEYUP));
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) {
        inputs.push_back(KeyInput(*it, 0, KEYEVENTF_KEYUP));
    }
    Send(std::move(inputs));
}

void TypeText(std::wstring_view text) {
    std::vector<INPUT> inputs;
    for (wchar_t c : text) {
        inputs.push_back(KeyInput(0, c, KEYEVENTF_UNICODE));
        inputs.push_back(KeyInput(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    Send(std::move(inputs));
}

bool ClickCentre(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    // Absolute coordinates run from 0 to 65535 over the primary screen.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    auto mouse = [&](DWORD flags) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = static_cast<LONG>((centre.x * 65536LL + width / 2) / width);
        input.mi.dy = static_cast<LONG>((centre.y * 65536LL + height / 2) / height);
        input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
        return input;
    };
    // Press only once the pointer is over the window: a press sent together with the
    // move can reach the window that was under the pointer before.
    INPUT move = mouse(MOUSEEVENTF_MOVE);
    SendInput(1, &move, sizeof(INPUT));
    const bool over = WaitUntil([&] {
        POINT at{};
        GetCursorPos(&at);
        return WindowFromPoint(at) == window;
    });
    if (!over) return false;
    INPUT press[2] = {mouse(MOUSEEVENTF_LEFTDOWN), mouse(MOUSEEVENTF_LEFTUP)};
    SendInput(2, press, sizeof(INPUT));
    return true;
}

HWND FocusOfThreadOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

}  // namespace korrelin::support
