// The window automation routines on the real window manager: pauses that keep the
// thread's windows responsive, titles in code page 936, window sizes, and the mouse
// messages as a window of this process receives them.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "winauto/mouse_poster.h"
#include "winauto/pumping_wait.h"
#include "winauto/system_windows_win32.h"
#include "winauto/window_messages.h"
#include "winauto/window_queries.h"

namespace korrelin {
namespace {

// Pauses are measured with the tick count, whose steps may be as coarse as 16 ms.
constexpr ULONGLONG kTickTolerance = 20;
// A pause that took this much longer than asked is a hang, not a slow machine.
constexpr ULONGLONG kGenerousOverrun = 5000;

const std::string kMenuTitle936 = "\xB2\xCB\xB5\xA5";  // 菜单

struct ReceivedMessage {
    std::uint32_t message;
    std::uint32_t wParam;
    std::uint32_t lParam;
    bool operator==(const ReceivedMessage& other) const {
        return message == other.message && wParam == other.wParam && lParam == other.lParam;
    }
};

std::ostream& operator<<(std::ostream& out, const ReceivedMessage& m) {
    return out << std::hex << "{message 0x" << m.message << ", wParam 0x" << m.wParam
               << ", lParam 0x" << m.lParam << "}" << std::dec;
}

// A hidden top-level window of this thread (hidden, so that no real pointer movement
// reaches it) that records the mouse messages it receives and runs a handler for
// WM_APP and the messages after it.
class RecorderWindow {
  public:
    RecorderWindow(const wchar_t* className, const std::wstring& title,
                   RECT rect = {10, 10, 210, 110}) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &RecorderWindow::WindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = className;
        RegisterClassW(&windowClass);  // fails harmlessly when a test registered it before
        window_ = CreateWindowExW(WS_EX_TOOLWINDOW, className, title.c_str(), WS_POPUP, rect.left,
                                  rect.top, rect.right - rect.left, rect.bottom - rect.top, nullptr,
                                  nullptr, windowClass.hInstance, this);
    }
    ~RecorderWindow() { DestroyWindow(window_); }
    RecorderWindow(const RecorderWindow&) = delete;
    RecorderWindow& operator=(const RecorderWindow&) = delete;

    HWND hwnd() const { return window_; }
    WindowHandle handle() const { return Win32SystemWindows::FromHwnd(window_); }
    const std::vector<ReceivedMessage>& mouseMessages() const { return mouse_; }
    std::function<void(UINT message, WPARAM wParam)> onAppMessage;
    std::function<void()> onTimer;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<RecorderWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
        if ((message >= WM_MOUSEFIRST && message <= WM_MOUSEWHEEL) || message == WM_CONTEXTMENU) {
            self->mouse_.push_back(
                {message, static_cast<std::uint32_t>(wParam), static_cast<std::uint32_t>(lParam)});
            return 0;
        }
        if (message >= WM_APP && message <= 0xBFFF) {
            if (self->onAppMessage) self->onAppMessage(message, wParam);
            return 0;
        }
        if (message == WM_TIMER) {
            if (self->onTimer) self->onTimer();
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
    std::vector<ReceivedMessage> mouse_;
};

// Counts the waits, to show that a pause sleeps rather than spins.
class CountingSystemWindows : public Win32SystemWindows {
  public:
    int waits = 0;
    bool failCreateTimer = false;
    bool failSetTimer = false;

    KernelHandle CreateWaitableTimerA() override {
        return failCreateTimer ? 0 : Win32SystemWindows::CreateWaitableTimerA();
    }
    bool SetWaitableTimer(KernelHandle timer, std::int64_t dueTime) override {
        return failSetTimer ? false : Win32SystemWindows::SetWaitableTimer(timer, dueTime);
    }
    std::uint32_t MsgWaitForMultipleObjects(KernelHandle handle, std::uint32_t timeoutMs,
                                            std::uint32_t wakeMask) override {
        ++waits;
        return Win32SystemWindows::MsgWaitForMultipleObjects(handle, timeoutMs, wakeMask);
    }
};

// Throws away what earlier tests left in this thread's queue.
void DrainQueue() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

std::string Repeat(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

std::wstring Repeat(const std::wstring& piece, int times) {
    std::wstring text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

TEST(WinautoWineTest, PumpingWaitReturnsAfterTheAmount) {
    const struct {
        std::optional<std::int32_t> amount;
        std::optional<std::int32_t> unit;
        ULONGLONG pauseMs;
    } cases[] = {
        {100, std::nullopt, 100}, {5, 10, 50}, {1, WaitUnit::Seconds, 1000}, {0, std::nullopt, 0},
        {-100, std::nullopt, 0},
    };
    Win32SystemWindows system;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pauseMs);
        const ULONGLONG start = GetTickCount64();
        EXPECT_TRUE(PumpingWait(system, c.amount, c.unit));
        const ULONGLONG elapsed = GetTickCount64() - start;
        EXPECT_GE(elapsed + kTickTolerance, c.pauseMs);
        EXPECT_LT(elapsed, c.pauseMs + kGenerousOverrun);
    }
}

TEST(WinautoWineTest, PumpingWaitHandlesMessagesThatArriveDuringIt) {
    DrainQueue();
    RecorderWindow window(L"KorrelinWinautoRecorder", L"recorder");
    Win32SystemWindows system;
    std::vector<UINT> handled;
    window.onAppMessage = [&](UINT message, WPARAM) { handled.push_back(message); };
    int ticks = 0;
    window.onTimer = [&] {
        ++ticks;
        KillTimer(window.hwnd(), 1);
        PostMessageW(window.hwnd(), WM_APP + 2, 0, 0);
    };
    PostMessageW(window.hwnd(), WM_APP + 1, 0, 0);
    SetTimer(window.hwnd(), 1, 30, nullptr);  // a tick that falls due during the pause

    PumpingWait(system, 300, std::nullopt);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(handled, (std::vector<UINT>{WM_APP + 1, WM_APP + 2}));
}

TEST(WinautoWineTest, PumpingWaitOffersEveryMessageToTheFilterFirst) {
    DrainQueue();
    RecorderWindow window(L"KorrelinWinautoRecorder", L"recorder");
    std::vector<UINT> filtered;
    Win32SystemWindows system([&](MSG& message) {
        if (message.hwnd != window.hwnd()) return false;
        filtered.push_back(message.message);
        return message.message == WM_APP + 5;  // consumed: never reaches the window
    });
    std::vector<UINT> handled;
    window.onAppMessage = [&](UINT message, WPARAM) { handled.push_back(message); };
    PostMessageW(window.hwnd(), WM_APP + 5, 0, 0);
    PostMessageW(window.hwnd(), WM_APP + 6, 0, 0);

    PumpingWait(system, 50, std::nullopt);
    EXPECT_EQ(filtered, (std::vector<UINT>{WM_APP + 5, WM_APP + 6}));
    EXPECT_EQ(handled, std::vector<UINT>{WM_APP + 6});
}

TEST(WinautoWineTest, APumpingWaitNestedInADispatchedMessageRunsToItsEndFirst) {
    DrainQueue();
    RecorderWindow window(L"KorrelinWinautoRecorder", L"recorder");
    Win32SystemWindows system;
    constexpr std::int32_t kOuterMs = 100;
    constexpr std::int32_t kInnerMs = 600;
    std::optional<ULONGLONG> innerEnd;
    window.onAppMessage = [&](UINT, WPARAM) {
        PumpingWait(system, kInnerMs, std::nullopt);
        innerEnd = GetTickCount64();
    };
    PostMessageW(window.hwnd(), WM_APP, 0, 0);

    const ULONGLONG start = GetTickCount64();
    PumpingWait(system, kOuterMs, std::nullopt);
    const ULONGLONG end = GetTickCount64();
    ASSERT_TRUE(innerEnd.has_value());
    // The outer timer fired during the inner pause and is still signalled: the outer
    // pause ends with the inner one, not a pause of its own later.
    EXPECT_GE(end - start + kTickTolerance, static_cast<ULONGLONG>(kInnerMs));
    EXPECT_LE(*innerEnd, end);
    EXPECT_LT(end - *innerEnd, static_cast<ULONGLONG>(kInnerMs));
}

TEST(WinautoWineTest, PumpingWaitLeavesWmQuitInTheQueue) {
    DrainQueue();
    RecorderWindow window(L"KorrelinWinautoRecorder", L"recorder");
    CountingSystemWindows system;
    window.onTimer = [&] {
        KillTimer(window.hwnd(), 1);
        PostQuitMessage(7);
    };
    SetTimer(window.hwnd(), 1, 30, nullptr);

    const ULONGLONG start = GetTickCount64();
    PumpingWait(system, 300, std::nullopt);
    EXPECT_GE(GetTickCount64() - start + kTickTolerance, 300u);
    // The quit woke the wait at most once or twice; it did not keep it busy.
    EXPECT_LT(system.waits, 20);
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
}

TEST(WinautoWineTest, PumpingWaitPausesWithoutAUsableTimer) {
    for (const bool failCreate : {true, false}) {
        SCOPED_TRACE(failCreate ? "no timer" : "timer not armed");
        DrainQueue();
        RecorderWindow window(L"KorrelinWinautoRecorder", L"recorder");
        CountingSystemWindows system;
        system.failCreateTimer = failCreate;
        system.failSetTimer = !failCreate;
        int handled = 0;
        window.onAppMessage = [&](UINT, WPARAM) { ++handled; };
        PostMessageW(window.hwnd(), WM_APP, 0, 0);

        const ULONGLONG start = GetTickCount64();
        PumpingWait(system, 200, std::nullopt);
        const ULONGLONG elapsed = GetTickCount64() - start;
        EXPECT_GE(elapsed + kTickTolerance, 200u);
        EXPECT_LT(elapsed, 200 + kGenerousOverrun);
        EXPECT_EQ(handled, 1);
        EXPECT_LT(system.waits, 20);
    }
}

TEST(WinautoWineTest, FindsWindowsByCodePage936ClassAndTitle) {
    RecorderWindow menu(L"QPopup", L"菜单");
    RecorderWindow channel(L"QWidget", L"频道 Korrelin-Wine-Check 77-Main");
    Win32SystemWindows system;

    // Other programs may show menus too: walk the ones titled 菜单 up to ours.
    bool found = false;
    for (WindowHandle w = system.FindWindowExA(0, 0, "QPopup", kMenuTitle936); w != 0;
         w = system.FindWindowExA(0, w, "QPopup", kMenuTitle936)) {
        if (w == menu.handle()) found = true;
    }
    EXPECT_TRUE(found);
    EXPECT_EQ(ReadWindowTitle(system, menu.handle()), kMenuTitle936);
    EXPECT_EQ(FindWindowByTitleFragment(system, "KORRELIN-wine-check 77-", "QWidget"),
              channel.handle());
    EXPECT_EQ(FindWindowByTitleFragment(system, "\xC6\xB5\xB5\xC0 korrelin-wine-check", "QWidget"),
              channel.handle());  // 频道
    EXPECT_EQ(FindWindowByTitleFragment(system, "korrelin-wine-check 77-", "QPopup"), 0);
}

TEST(WinautoWineTest, ReadsLongTitlesUpTo255BytesEndingOnACharacter) {
    const struct {
        const char* name;
        std::wstring title;
        std::string expected;     // read with the size 256
        std::string expectedIn4;  // read with the size 4
    } cases[] = {
        {"300 Latin letters", std::wstring(300, L'a'), std::string(255, 'a'), "aaa"},
        {"150 two-byte characters", Repeat(L"菜", 150), Repeat("\xB2\xCB", 127), "\xB2\xCB"},
        {"a letter, then 150 characters", L"a" + Repeat(L"菜", 150), "a" + Repeat("\xB2\xCB", 127),
         "a\xB2\xCB"},
        {"short", L"abc", "abc", "abc"},
        {"empty", L"", "", ""},
    };
    Win32SystemWindows system;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecorderWindow window(L"KorrelinWinautoTitle", c.title);
        EXPECT_EQ(ReadWindowTitle(system, window.handle()), c.expected);
        char small[4] = {'x', 'x', 'x', 'x'};
        EXPECT_EQ(system.GetWindowTextA(window.handle(), small, 4),
                  static_cast<int>(c.expectedIn4.size()));
        EXPECT_EQ(std::string(small), c.expectedIn4);
    }
}

TEST(WinautoWineTest, MeasuresWindowsIncludingOnesAtNegativePositions) {
    const struct {
        RECT rect;
        WindowBounds expected;
    } cases[] = {
        {{100, 50, 400, 250}, {100, 50, 300, 200}},
        {{-20, -5, 100, 95}, {-20, -5, 120, 100}},
    };
    Win32SystemWindows system;
    for (const auto& c : cases) {
        RecorderWindow window(L"KorrelinWinautoBounds", L"bounds", c.rect);
        const WindowBounds bounds = GetWindowBounds(system, window.handle());
        EXPECT_EQ(bounds.left, c.expected.left);
        EXPECT_EQ(bounds.top, c.expected.top);
        EXPECT_EQ(bounds.width, c.expected.width);
        EXPECT_EQ(bounds.height, c.expected.height);
    }
    const HWND gone = RecorderWindow(L"KorrelinWinautoBounds", L"gone").hwnd();
    const WindowBounds none = GetWindowBounds(system, Win32SystemWindows::FromHwnd(gone));
    EXPECT_EQ(none.width, 0);
    EXPECT_EQ(none.left, 0);
}

TEST(WinautoWineTest, PostsTheMouseMessagesOfEachAction) {
    const struct {
        const char* name;
        std::int32_t x, y;
        std::optional<std::int32_t> button;
        std::vector<ReceivedMessage> expected;
    } cases[] = {
        {"left click at (40, 200)",
         40,
         200,
         std::nullopt,
         {{kWmMouseMove, 2, 0x00C80028},
          {kWmLButtonDown, 1, 0x00C80028},
          {kWmLButtonUp, 0, 0x00C80028}}},
        {"right click at (10, 20)",
         10,
         20,
         MouseButton::Right,
         {{kWmMouseMove, 2, 0x0014000A},
          {kWmRButtonDown, 2, 0x0014000A},
          {kWmRButtonUp, 2, 0x0014000A},
          {kWmContextMenu, 132782, 0x01930253}}},
        {"wheel up", 0, 0, MouseButton::WheelUp, {{kWmMouseWheel, 0x00780010, 0x017F0249}}},
        {"wheel down", 0, 0, MouseButton::WheelDown, {{kWmMouseWheel, 0xFF880010, 0x017F0249}}},
        {"negative x",
         -1,
         0,
         std::nullopt,
         {{kWmMouseMove, 2, 0xFFFFFFFF},
          {kWmLButtonDown, 1, 0xFFFFFFFF},
          {kWmLButtonUp, 0, 0xFFFFFFFF}}},
    };
    Win32SystemWindows system;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DrainQueue();
        RecorderWindow window(L"KorrelinWinautoMouse", L"mouse");
        PostMouseAction(system, window.handle(), c.x, c.y, c.button);
        system.DispatchPendingMessages();
        EXPECT_EQ(window.mouseMessages(), c.expected);
    }
}

TEST(WinautoWineTest, WindowHandlesKeepTheir32SignificantBits) {
    const struct {
        std::uintptr_t hwnd;
        WindowHandle handle;
    } cases[] = {
        {0x00020040, 0x00020040},
        {0, 0},
        {static_cast<std::uintptr_t>(static_cast<std::intptr_t>(-2)), -2},
        {static_cast<std::uintptr_t>(static_cast<std::intptr_t>(INT32_MIN)), INT32_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Win32SystemWindows::FromHwnd(reinterpret_cast<HWND>(c.hwnd)), c.handle);
        EXPECT_EQ(Win32SystemWindows::ToHwnd(c.handle), reinterpret_cast<HWND>(c.hwnd));
    }
}

}  // namespace
}  // namespace korrelin
