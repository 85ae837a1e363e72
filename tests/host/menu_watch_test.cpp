#include "menuwatch/menu_watch.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fakes/fake_desktop.h"
#include "fakes/fake_panel.h"
#include "panel/panel_app.h"
#include "winauto/window_messages.h"

namespace korrelin {
namespace {

using Message = FakeDesktop::Message;
using Messages = std::vector<Message>;

constexpr char kMenuTitle[] = "\xB2\xCB\xB5\xA5";                // 菜单
constexpr char kStopped[] = "\xCD\xA3\xD6\xB9\xD4\xCB\xD7\xF7";  // 停止运作
constexpr char kRunning[] = "\xD4\xCB\xD0\xD0\xD6\xD0";          // 运行中

// lParams of the clicks: x + 65536 * y.
constexpr std::uint32_t kMenuEntry = 0x00C80028;  // (40, 200)
constexpr std::uint32_t kEntry0 = 0x0011002B;     // (43, 17)
constexpr std::uint32_t kEntry1 = 0x0029002B;     // (43, 41)
constexpr std::uint32_t kEntry2 = 0x003D002B;     // (43, 61)

// The three messages of a left click, as the target sees them.
Messages LeftClick(WindowHandle window, std::uint32_t lParam) {
    return {{window, kWmMouseMove, 2, lParam},
            {window, kWmLButtonDown, 1, lParam},
            {window, kWmLButtonUp, 0, lParam}};
}

Messages Then(Messages first, const Messages& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

Messages MenuClicks(WindowHandle menu, int count) {
    Messages all;
    for (int i = 0; i < count; ++i) all = Then(all, LeftClick(menu, kMenuEntry));
    return all;
}

// Counts GetWindowRect per window, so that the order of the size tests shows, and
// ends a run that searches for the menu without end instead of hanging.
class MeasuringDesktop : public FakeDesktop {
  public:
    WindowHandle FindWindowExA(WindowHandle parent, WindowHandle childAfter,
                               std::string_view className,
                               std::optional<std::string_view> title) override {
        if (++searches > kSearchLimit) {
            ADD_FAILURE() << "more than " << kSearchLimit << " window searches: the run spins";
            throw Runaway("the run spins");
        }
        return FakeDesktop::FindWindowExA(parent, childAfter, className, title);
    }
    bool GetWindowRect(WindowHandle window, ScreenRect& rect) override {
        ++measurements[window];
        return FakeDesktop::GetWindowRect(window, rect);
    }
    static constexpr int kSearchLimit = 10000;
    int searches = 0;
    std::map<WindowHandle, int> measurements;
};

ScreenRect Sized(std::int32_t width, std::int32_t height) {
    return {300, 120, 300 + width, 120 + height};
}

// The chat client shows the channel, the user has pressed Start with period 100, and
// opens the member menu by hand.
class MenuWatchTest : public testing::Test {
  protected:
    void SetUp() override {
        desktop.AddWindow("QWidget", "77385929-Lobby", Sized(800, 600));
        app.OnStartClicked();
        ASSERT_TRUE(app.watcher().switchedOn);
        ASSERT_EQ(panel.CurrentPeriod(), 100);
    }

    WindowHandle OpenMenu(std::int32_t width = 200, std::int32_t height = 408) {
        return desktop.AddWindow("QPopup", kMenuTitle, Sized(width, height));
    }
    // A submenu opens on top of the menu, ahead of it in the listing order.
    WindowHandle OpenSubmenu(std::int32_t width = 156, std::int32_t height = 84) {
        const WindowHandle submenu = desktop.AddWindow("QPopup", kMenuTitle, Sized(width, height));
        desktop.MoveToFront(submenu);
        return submenu;
    }
    // The client answers the click on the menu's entry at once.
    WindowHandle OpenSubmenuOnClick(WindowHandle menu) {
        desktop.WhenPosted(menu, kWmLButtonUp, [this] { submenu = OpenSubmenu(); });
        return menu;
    }

    // A tick of 时钟1 handled during a pause, at a virtual time.
    void TickAt(std::uint64_t timeMs) {
        desktop.MessageAt(timeMs, [this] {
            EXPECT_TRUE(panel.TakeDueTick()) << "no tick of 时钟1 is due at " << desktop.NowMs();
            app.OnTimerTick();
        });
    }

    MeasuringDesktop desktop;
    FakePanel panel{[this] { return desktop.NowMs(); }};
    PanelApp app{desktop, panel, panel};
    WindowHandle submenu = 0;
};

TEST_F(MenuWatchTest, ClicksTheMenuEntryThenThePickedSubmenuEntry) {
    const WindowHandle menu = OpenSubmenuOnClick(OpenMenu());
    panel.selection = 1;

    app.OnTimerTick();

    ASSERT_NE(submenu, 0);
    EXPECT_EQ(desktop.PostedMessages(),
              Then(LeftClick(menu, kMenuEntry), LeftClick(submenu, kEntry1)));
    EXPECT_TRUE(desktop.Waits().empty());
    EXPECT_EQ(panel.PeriodWrites(), (std::vector<std::int32_t>{100, 0, 100}));
    EXPECT_EQ(desktop.measurements[menu], 1);
}

TEST_F(MenuWatchTest, TheMenuIsRecognisedByItsHeightAlone) {
    struct Case {
        std::int32_t width;
        std::int32_t height;
        bool clicked;
    };
    for (const Case& c : {Case{200, 407, false}, Case{200, 408, true}, Case{200, 409, false},
                          Case{333, 408, true}}) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        desktop.ClearPostLog();
        const WindowHandle menu = OpenSubmenuOnClick(OpenMenu(c.width, c.height));

        app.OnTimerTick();

        if (c.clicked) {
            EXPECT_EQ(desktop.PostedMessages(),
                      Then(LeftClick(menu, kMenuEntry), LeftClick(submenu, kEntry0)));
        } else {
            EXPECT_TRUE(desktop.PostedMessages().empty());
        }
        EXPECT_EQ(panel.CurrentPeriod(), 100);
        desktop.RemoveWindow(menu);
        if (submenu != 0) desktop.RemoveWindow(submenu);
        submenu = 0;
    }
}

TEST_F(MenuWatchTest, NoMenuPostsNothingAndArmsAgain) {
    app.OnTimerTick();

    EXPECT_TRUE(desktop.PostedMessages().empty());
    EXPECT_EQ(panel.PeriodWrites(), (std::vector<std::int32_t>{100, 0, 100}));
    EXPECT_EQ(panel.CountdownStartMs(), std::optional<std::uint64_t>(0));
}

// The window the search finds after the click is measured afresh for every comparison:
// width 156, then height 84, and height 106 only when one of those failed.
TEST_F(MenuWatchTest, TheSubmenuIsRecognisedByItsSize) {
    struct Case {
        std::int32_t width;
        std::int32_t height;
        bool isSubmenu;
        int measurements;
    };
    for (const Case& c : {Case{156, 84, true, 2}, Case{155, 84, false, 2}, Case{156, 85, false, 3},
                          Case{120, 106, true, 2}, Case{156, 106, true, 3}}) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        desktop.ClearPostLog();
        const WindowHandle menu = OpenMenu();
        WindowHandle candidate = 0;
        desktop.WhenPosted(menu, kWmLButtonUp, [&] { candidate = OpenSubmenu(c.width, c.height); });
        // Should the candidate not be taken, the proper submenu replaces it meanwhile.
        WindowHandle proper = 0;
        desktop.At(desktop.NowMs() + 50, [&] {
            desktop.RemoveWindow(candidate);
            proper = OpenSubmenu();
        });
        panel.selection = 2;

        app.OnTimerTick();

        ASSERT_NE(candidate, 0);
        EXPECT_EQ(desktop.measurements[candidate], c.measurements);
        if (c.isSubmenu) {
            EXPECT_EQ(desktop.PostedMessages(),
                      Then(LeftClick(menu, kMenuEntry), LeftClick(candidate, kEntry2)));
        } else {
            ASSERT_NE(proper, 0);
            EXPECT_EQ(desktop.PostedMessages(),
                      Then(MenuClicks(menu, 2), LeftClick(proper, kEntry2)));
        }
        desktop.AdvanceClock(100);  // lets the scripted replacement happen, if still due
        for (WindowHandle window : {menu, candidate, proper}) desktop.RemoveWindow(window);
    }
}

TEST_F(MenuWatchTest, TheMenuFoundAgainIsClickedAgainAfterAPause) {
    const WindowHandle menu = OpenMenu();
    desktop.At(150, [this] { submenu = OpenSubmenu(); });

    app.OnTimerTick();

    // Looks at 0 and 100 find the menu itself; the look at 200 finds the submenu.
    EXPECT_EQ(desktop.PostedMessages(), Then(MenuClicks(menu, 3), LeftClick(submenu, kEntry0)));
    std::vector<std::uint64_t> postTimes;
    for (const auto& record : desktop.PostLog()) postTimes.push_back(record.timeMs);
    EXPECT_EQ(postTimes,
              (std::vector<std::uint64_t>{0, 0, 0, 0, 0, 0, 100, 100, 100, 200, 200, 200}));
    EXPECT_EQ(desktop.DueTimes(), (std::vector<std::int64_t>{-1000000, -1000000}));
    // The next tick falls due one period after the end of the run.
    EXPECT_EQ(panel.CountdownStartMs(), std::optional<std::uint64_t>(200));
}

TEST_F(MenuWatchTest, ThePickedEntryIsClickedInTheSubmenu) {
    struct Case {
        std::int32_t selection;
        std::optional<std::uint32_t> entry;
    };
    // No item selected: there is no entry to click, and the run still arms 时钟1 again.
    for (const Case& c :
         {Case{0, kEntry0}, Case{1, kEntry1}, Case{2, kEntry2}, Case{-1, std::nullopt}}) {
        SCOPED_TRACE(c.selection);
        desktop.ClearPostLog();
        const WindowHandle menu = OpenSubmenuOnClick(OpenMenu());
        panel.selection = c.selection;

        app.OnTimerTick();

        Messages expected = LeftClick(menu, kMenuEntry);
        if (c.entry) expected = Then(expected, LeftClick(submenu, *c.entry));
        EXPECT_EQ(desktop.PostedMessages(), expected);
        EXPECT_EQ(panel.CurrentPeriod(), 100);
        desktop.RemoveWindow(menu);
        desktop.RemoveWindow(submenu);
    }
}

TEST_F(MenuWatchTest, StopDuringAPauseEndsTheRunWithoutAnotherClick) {
    const WindowHandle menu = OpenMenu();
    desktop.MessageAt(50, [this] { app.OnStopClicked(); });
    desktop.At(150, [this] { submenu = OpenSubmenu(); });

    app.OnTimerTick();

    EXPECT_EQ(desktop.PostedMessages(), MenuClicks(menu, 2));
    EXPECT_EQ(desktop.NowMs(), 100u);
    EXPECT_EQ(panel.CurrentPeriod(), 0);
    EXPECT_EQ(panel.statusCaption, std::optional<std::string>(kStopped));
    EXPECT_FALSE(app.watcher().switchedOn);
    EXPECT_FALSE(app.watcher().cycleRunning);
}

TEST_F(MenuWatchTest, ATickDuringAPauseAfterStartIsNotRunInsideTheRun) {
    const WindowHandle menu = OpenMenu();
    desktop.MessageAt(50, [this] { app.OnStartClicked(); });  // arms 时钟1: a tick at 150
    TickAt(150);
    desktop.At(250, [this] { submenu = OpenSubmenu(); });

    app.OnTimerTick();

    // One run: the menu clicked at 0, 0, 100 and 200, the submenu at 300.
    EXPECT_EQ(desktop.PostedMessages(), Then(MenuClicks(menu, 4), LeftClick(submenu, kEntry0)));
    EXPECT_EQ(desktop.TimersCreated(), 3);
    for (std::size_t i = 1; i < desktop.Waits().size(); ++i) {
        EXPECT_LE(desktop.Waits()[i - 1].endMs, desktop.Waits()[i].startMs) << "nested pause";
    }
    // Start armed 时钟1, the tick stopped it again, the end of the run armed it afresh.
    EXPECT_EQ(panel.PeriodWrites(), (std::vector<std::int32_t>{100, 0, 100, 0, 100}));
    EXPECT_EQ(panel.CountdownStartMs(), std::optional<std::uint64_t>(300));
    EXPECT_EQ(panel.statusCaption, std::optional<std::string>(kRunning));
    EXPECT_TRUE(app.watcher().switchedOn);
    EXPECT_FALSE(app.watcher().cycleRunning);
}

TEST_F(MenuWatchTest, AMenuClosedBeforeTheSubmenuCameEndsTheRun) {
    const WindowHandle menu = OpenMenu();
    desktop.At(250, [&] { desktop.RemoveWindow(menu); });

    app.OnTimerTick();

    EXPECT_EQ(desktop.PostedMessages(), MenuClicks(menu, 4));
    EXPECT_EQ(desktop.NowMs(), 300u);
    EXPECT_EQ(panel.CurrentPeriod(), 100);
    EXPECT_EQ(panel.CountdownStartMs(), std::optional<std::uint64_t>(300));
}

TEST_F(MenuWatchTest, ASubmenuThatNeverComesIsGivenUpAfterThreeSeconds) {
    const WindowHandle menu = OpenMenu();

    app.OnTimerTick();

    EXPECT_EQ(desktop.PostedMessages(), MenuClicks(menu, 1 + kMaxSubmenuTries));
    EXPECT_EQ(desktop.Waits().size(), static_cast<std::size_t>(kMaxSubmenuTries));
    EXPECT_EQ(desktop.NowMs(), 3000u);
    EXPECT_EQ(panel.CurrentPeriod(), 100);
    EXPECT_EQ(panel.CountdownStartMs(), std::optional<std::uint64_t>(3000));
    EXPECT_EQ(desktop.TimersOpen(), 0);
}

TEST_F(MenuWatchTest, APanelClosedDuringAPauseIsNotTouchedAgain) {
    const WindowHandle menu = OpenMenu();
    desktop.MessageAt(50, [this] { panel.Close(); });

    app.OnTimerTick();

    EXPECT_EQ(desktop.PostedMessages(), MenuClicks(menu, 2));
    EXPECT_EQ(desktop.NowMs(), 100u);
    EXPECT_EQ(panel.ControlUsesAfterClose(), 0);
    EXPECT_FALSE(app.watcher().cycleRunning);
}

TEST_F(MenuWatchTest, ANewPeriodTakesEffectAtTheEndOfTheNextRun) {
    panel.periodBox = "500";

    app.OnTimerTick();

    EXPECT_EQ(panel.CurrentPeriod(), 500);
    EXPECT_TRUE(app.watcher().switchedOn);
}

// A period box that no longer reads as a positive number switches the watcher off at
// the end of the run, and the label says so instead of "运行中".
TEST_F(MenuWatchTest, AnUnusablePeriodAtTheEndOfARunStopsTheWatcher) {
    for (const char* period : {"0", "abc", "-5", ""}) {
        SCOPED_TRACE(period);
        app.OnStartClicked();
        ASSERT_TRUE(app.watcher().switchedOn);
        panel.periodBox = period;

        app.OnTimerTick();

        EXPECT_EQ(panel.CurrentPeriod(), 0);
        EXPECT_EQ(panel.statusCaption, std::optional<std::string>(kStopped));
        EXPECT_FALSE(app.watcher().switchedOn);
        panel.periodBox = "100";
    }
}

// A tick already queued when Stop came finds the watcher off: it clicks nothing and
// leaves 时钟1 stopped.
TEST_F(MenuWatchTest, ATickAfterStopDoesNothing) {
    OpenSubmenuOnClick(OpenMenu());
    app.OnStopClicked();

    app.OnTimerTick();

    EXPECT_TRUE(desktop.PostedMessages().empty());
    EXPECT_EQ(panel.CurrentPeriod(), 0);
    EXPECT_EQ(panel.statusCaption, std::optional<std::string>(kStopped));
}

}  // namespace
}  // namespace korrelin
