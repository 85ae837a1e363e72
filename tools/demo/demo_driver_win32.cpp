// Plays the user's part in the demo: once the panel and the stand-in's channel window
// are there, clicks 开始 on the panel and right-clicks a member in the channel, as a
// person would with the mouse. Prints what it did, with times, and exits 0; exits 1
// when a window does not come within a minute.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr int kStartButtonId = 108;                    // 按钮1
constexpr int kStatusLabelId = 107;                    // 标签1
constexpr wchar_t kRunning[] = L"\x8FD0\x884C\x4E2D";  // 运行中
// The second member's row in the stand-in's channel window (client coordinates).
constexpr POINT kMemberRow = {60, 50};
constexpr ULONGLONG kDeadlineMs = 60000;

// Notes a step with the time since the driver started.
class Transcript {
  public:
    void Say(const char* what) const {
        std::printf("driver t=%llu %s\n", GetTickCount64() - startMs_, what);
        std::fflush(stdout);
    }

  private:
    ULONGLONG startMs_ = GetTickCount64();
};

template <typename Condition>
bool WaitFor(Condition condition) {
    const ULONGLONG end = GetTickCount64() + kDeadlineMs;
    while (!condition()) {
        if (GetTickCount64() >= end) return false;
        Sleep(20);
    }
    return true;
}

std::wstring TextOf(HWND window) {
    wchar_t text[64] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        5000, &copied);
    return text;
}

void ClickAt(POINT screen, DWORD down, DWORD up) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3]{};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = static_cast<LONG>((screen.x * 65536LL + width / 2) / width);
        input.mi.dy = static_cast<LONG>((screen.y * 65536LL + height / 2) / height);
    }
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = down | MOUSEEVENTF_ABSOLUTE;
    inputs[2].mi.dwFlags = up | MOUSEEVENTF_ABSOLUTE;
    SendInput(3, inputs, sizeof(INPUT));
}

void BringToFront(HWND window) {
    WaitFor([window] {
        SetForegroundWindow(window);
        return GetForegroundWindow() == window;
    });
}

}  // namespace

int wmain() {
    const Transcript transcript;
    HWND panel = nullptr;
    HWND channel = nullptr;
    if (!WaitFor([&] {
            panel = FindWindowW(L"KorrelinPanel", L"Korrelin");
            channel = FindWindowW(L"QWidget", nullptr);
            return panel != nullptr && channel != nullptr && IsWindowVisible(panel) &&
                   GetDlgItem(panel, kStartButtonId);
        })) {
        transcript.Say("the panel or the channel window did not appear");
        return 1;
    }
    transcript.Say("panel and channel window are there");

    BringToFront(panel);
    RECT button{};
    GetWindowRect(GetDlgItem(panel, kStartButtonId), &button);
    ClickAt({(button.left + button.right) / 2, (button.top + button.bottom) / 2},
            MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    transcript.Say("clicked the start button (开始)");
    if (!WaitFor([&] { return TextOf(GetDlgItem(panel, kStatusLabelId)) == kRunning; })) {
        transcript.Say("the panel did not start watching");
        return 1;
    }
    transcript.Say("the panel says 运行中 (watching for the menu)");

    BringToFront(channel);
    POINT member = kMemberRow;
    ClientToScreen(channel, &member);
    ClickAt(member, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    transcript.Say("right-clicked the second member in the channel window");
    return 0;
}
