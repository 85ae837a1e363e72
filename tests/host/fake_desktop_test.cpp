// The scripted desktop is shared by several suites; these check the behaviour of it
// that those suites lean on.
#include "fakes/fake_desktop.h"

#include <gtest/gtest.h>

#include "winauto/window_messages.h"

namespace korrelin {
namespace {

TEST(FakeDesktopTest, FindWindowExWalksTheClassInListingOrder) {
    FakeDesktop desktop;
    const WindowHandle lobby = desktop.AddWindow("QWidget", "Lobby");
    desktop.AddWindow("Other", "Room");
    const WindowHandle room = desktop.AddWindow("qwidget", "Room");
    const WindowHandle menu = desktop.AddWindow("QPopup", "\xB2\xCB\xB5\xA5");

    EXPECT_EQ(desktop.FindWindowExA(0, 0, "QWidget", std::nullopt), lobby);
    EXPECT_EQ(desktop.FindWindowExA(0, lobby, "QWidget", std::nullopt), room);
    EXPECT_EQ(desktop.FindWindowExA(0, room, "QWidget", std::nullopt), 0);
    EXPECT_EQ(desktop.FindWindowExA(0, 0, "QWidget", std::string_view("Room")), room);
    EXPECT_EQ(desktop.FindWindowExA(0, 0, "QPopup", std::string_view("\xB2\xCB")), 0);
    EXPECT_EQ(desktop.FindWindowExA(0, 0, "QPopup", std::string_view("\xB2\xCB\xB5\xA5")), menu);
    EXPECT_EQ(desktop.FindWindowExA(menu, 0, "QPopup", std::nullopt), 0);

    desktop.MoveToFront(room);
    EXPECT_EQ(desktop.FindWindowExA(0, 0, "QWidget", std::nullopt), room);
    // A walk whose last window has gone ends there, as on the system.
    desktop.RemoveWindow(room);
    EXPECT_EQ(desktop.FindWindowExA(0, room, "QWidget", std::nullopt), 0);
}

TEST(FakeDesktopTest, WindowTextAndRectOptions) {
    FakeDesktop desktop;
    const WindowHandle window = desktop.AddWindow("QWidget", "abcdef", {1, 2, 3, 4});
    char buffer[5] = {'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(desktop.GetWindowTextA(window, buffer, 4), 3);
    EXPECT_EQ(std::string(buffer, 5), std::string("abc\0x", 5));

    desktop.LeaveTitleBufferUntouched(window);
    buffer[0] = 'y';
    desktop.GetWindowTextA(window, buffer, 4);
    EXPECT_EQ(buffer[0], 'y');

    ScreenRect rect;
    EXPECT_TRUE(desktop.GetWindowRect(window, rect));
    EXPECT_EQ(rect.bottom, 4);
    desktop.FailWindowRect(window);
    ScreenRect untouched{9, 9, 9, 9};
    EXPECT_FALSE(desktop.GetWindowRect(window, untouched));
    EXPECT_EQ(untouched.left, 9);
}

TEST(FakeDesktopTest, WaitsAdvanceTheClockToTheTimerOrTheNextMessage) {
    FakeDesktop desktop;
    int handled = 0;
    desktop.MessageAt(30, [&] { ++handled; });
    WindowHandle late = 0;
    desktop.At(40, [&] { late = desktop.AddWindow("QPopup", "late"); });

    const KernelHandle timer = desktop.CreateWaitableTimerA();
    ASSERT_TRUE(desktop.SetWaitableTimer(timer, -1000000));  // 100 ms
    EXPECT_EQ(desktop.MsgWaitForMultipleObjects(timer, kInfinite, 0xFF), FakeDesktop::kWaitInput);
    EXPECT_EQ(desktop.NowMs(), 30u);
    EXPECT_EQ(handled, 0);
    desktop.DispatchPendingMessages();
    EXPECT_EQ(handled, 1);
    // The desktop change at 40 does not end the wait; the timer at 100 does.
    EXPECT_EQ(desktop.MsgWaitForMultipleObjects(timer, kInfinite, 0xFF), kWaitObject0);
    EXPECT_EQ(desktop.NowMs(), 100u);
    EXPECT_TRUE(desktop.WindowExists(late));
    // Auto-reset: the fired timer is not signalled again.
    EXPECT_EQ(desktop.MsgWaitForMultipleObjects(timer, 20, 0xFF), kWaitTimeout);
    EXPECT_EQ(desktop.NowMs(), 120u);
    EXPECT_TRUE(desktop.CloseHandle(timer));
    EXPECT_EQ(desktop.TimersOpen(), 0);
    EXPECT_EQ(desktop.MsgWaitForMultipleObjects(timer, 0, 0xFF), kWaitFailed);
}

TEST(FakeDesktopTest, QuitWakesOnceAndStaysPending) {
    FakeDesktop desktop;
    desktop.PostQuitAt(10);
    EXPECT_EQ(desktop.MsgWaitForMultipleObjects(0, 50, 0xFF), FakeDesktop::kWaitInput);
    desktop.DispatchPendingMessages();
    EXPECT_TRUE(desktop.QuitPending());
    EXPECT_EQ(desktop.MsgWaitForMultipleObjects(0, 50, 0xFF), kWaitTimeout);
    EXPECT_EQ(desktop.NowMs(), 60u);
}

TEST(FakeDesktopTest, PostHooksLetTheTargetReact) {
    FakeDesktop desktop;
    const WindowHandle popup = desktop.AddWindow("QPopup", "menu");
    WindowHandle submenu = 0;
    desktop.WhenPosted(popup, kWmLButtonUp, [&] { submenu = desktop.AddWindow("QPopup", "sub"); });

    desktop.PostMessageA(popup, kWmLButtonDown, 1, 0);
    EXPECT_EQ(submenu, 0);
    desktop.PostMessageA(popup, kWmLButtonUp, 0, 0);
    ASSERT_NE(submenu, 0);
    desktop.PostMessageA(popup, kWmLButtonUp, 0, 0);  // once only
    EXPECT_EQ(desktop.ListingOrder().size(), 2u);

    EXPECT_FALSE(desktop.PostMessageA(0x1234, kWmMouseMove, 2, 0));
    ASSERT_EQ(desktop.PostLog().size(), 4u);
    EXPECT_FALSE(desktop.PostLog().back().accepted);
    EXPECT_EQ(desktop.PostedMessagesTo(popup).size(), 3u);
}

}  // namespace
}  // namespace korrelin
