// The stand-in chat client, korrelin-standin.exe, seen from another process as the
// tool sees it: its windows' classes, titles, sizes and order, what posted clicks do
// to it, and the log that tests read.
#include "support/standin.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "winauto/codepage_win32.h"
#include "winauto/mouse_poster.h"
#include "winauto/system_windows_win32.h"
#include "winauto/window_queries.h"

namespace korrelin {
namespace {

using support::FindTopLevelWindows;
using support::OuterRect;
using support::Standin;
using support::StandinLogRecord;
using support::WaitForNoTopLevelWindow;

const std::wstring kMenuClass = L"QPopup";
const std::wstring kMenuTitle = L"菜单";

LPARAM PointParam(int x, int y) {
    return static_cast<LPARAM>(static_cast<std::uint32_t>(x) +
                               (static_cast<std::uint32_t>(y) << 16));
}

// A left click as the tool posts it.
void PostLeftClick(HWND window, int x, int y) {
    PostMessageW(window, WM_MOUSEMOVE, 2, PointParam(x, y));
    PostMessageW(window, WM_LBUTTONDOWN, 1, PointParam(x, y));
    PostMessageW(window, WM_LBUTTONUP, 0, PointParam(x, y));
}

int Width(const RECT& rect) {
    return rect.right - rect.left;
}
int Height(const RECT& rect) {
    return rect.bottom - rect.top;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::size_t CountEvents(const Standin& standin, const std::string& event) {
    std::size_t count = 0;
    for (const StandinLogRecord& record : standin.log().ReadRecords()) {
        if (record.event == event) ++count;
    }
    return count;
}

// Clicks the pop-up's submenu entry and returns the submenu, or nullptr.
HWND OpenSubmenu(Standin& standin, HWND popup) {
    const std::size_t from = standin.log().ReadRecords().size();
    PostLeftClick(popup, 40, 200);
    const auto opened = standin.WaitForEvent("submenu-opened", from);
    return opened ? support::WindowFromLogField(*opened, "hwnd") : nullptr;
}

TEST(Standin, ChannelWindowHasTheClassAndTheTitleOfTheCommandLine) {
    struct Case {
        const char* name;
        std::vector<std::wstring> arguments;
        std::wstring title;
    };
    const std::vector<Case> cases{
        {"defaults", {}, L"频道 77385929-大厅"},
        {"channel_and_title", {L"--channel", L"123", L"--title", L"Room 7"}, L"频道 123-Room 7"},
        // Quotes and backslashes survive the trip through the command line.
        {"awkward_text",
         {L"--channel", L"9", L"--title", L"a \"b\" c\\ d\\\\\" e\\"},
         L"频道 9-a \"b\" c\\ d\\\\\" e\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto standin = Standin::Start(c.arguments);
        ASSERT_NE(standin, nullptr);
        EXPECT_EQ(FindWindowExW(nullptr, nullptr, L"QWidget", c.title.c_str()), standin->channel());
        EXPECT_EQ(ClassOf(standin->channel()), L"QWidget");
    }
}

TEST(Standin, TestMessageOpensThePopupAsTheFirstMenuOnTheDesktop) {
    auto standin = Standin::Start({});
    ASSERT_NE(standin, nullptr);
    EXPECT_EQ(FindWindowExW(nullptr, nullptr, kMenuClass.c_str(), kMenuTitle.c_str()), nullptr);

    HWND popup = standin->OpenPopup(0);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(FindWindowExW(nullptr, nullptr, kMenuClass.c_str(), kMenuTitle.c_str()), popup);
    EXPECT_EQ(GetAncestor(popup, GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(GetWindow(popup, GW_OWNER), nullptr);
    const RECT rect = OuterRect(popup);
    EXPECT_EQ(Height(rect), 408);
    EXPECT_EQ(Width(rect), 180);
}

TEST(Standin, RightClickOnAMemberOpensThePopupForThatMember) {
    struct Case {
        const char* name;
        int member;
        // Posts the right-click to the channel window, given the member row's
        // client point.
        void (*post)(HWND channel, POINT client);
    };
    const std::vector<Case> cases{
        {"button_messages", 2,
         [](HWND channel, POINT client) {
             PostMessageW(channel, WM_RBUTTONDOWN, MK_RBUTTON, PointParam(client.x, client.y));
             PostMessageW(channel, WM_RBUTTONUP, 0, PointParam(client.x, client.y));
         }},
        {"context_menu_message", 1,
         [](HWND channel, POINT client) {
             POINT screen = client;
             ClientToScreen(channel, &screen);
             PostMessageW(channel, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(channel),
                          PointParam(screen.x, screen.y));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto standin = Standin::Start({});
        ASSERT_NE(standin, nullptr);
        // Member rows are 28 pixels high from row 8.
        c.post(standin->channel(), POINT{30, 8 + 28 * c.member + 14});
        const auto opened = standin->WaitForEvent("popup-opened");
        ASSERT_TRUE(opened);
        EXPECT_EQ(opened->Number("member"), static_cast<std::uint32_t>(c.member));
        EXPECT_EQ(standin->Windows(kMenuClass, kMenuTitle).size(), 1u);
    }
}

TEST(Standin, ClickOnTheEntryOpensOneSubmenuListedBeforeThePopup) {
    auto standin = Standin::Start({});
    ASSERT_NE(standin, nullptr);
    HWND popup = standin->OpenPopup(0);
    ASSERT_NE(popup, nullptr);

    HWND submenu = OpenSubmenu(*standin, popup);
    ASSERT_NE(submenu, nullptr);
    EXPECT_EQ(FindWindowExW(nullptr, nullptr, kMenuClass.c_str(), kMenuTitle.c_str()), submenu);
    EXPECT_EQ(FindTopLevelWindows({kMenuClass, kMenuTitle}), (std::vector<HWND>{submenu, popup}));
    const RECT rect = OuterRect(submenu);
    EXPECT_EQ(Width(rect), 156);
    EXPECT_EQ(Height(rect), 84);

    // The tool clicks the entry again while it waits; the submenu stays the one.
    standin->CaptureMessages([&] {
        PostLeftClick(popup, 40, 200);
        PostLeftClick(popup, 40, 200);
    });
    EXPECT_EQ(FindTopLevelWindows({kMenuClass, kMenuTitle}), (std::vector<HWND>{submenu, popup}));
    EXPECT_EQ(CountEvents(*standin, "submenu-opened"), 1u);
}

TEST(Standin, ClickOnASubmenuEntryGivesItsRoleAndClosesBothMenus) {
    struct Case {
        int member;
        int y;
        std::uint32_t role;
    };
    const std::vector<Case> cases{{0, 17, 0}, {1, 41, 1}, {3, 61, 2}, {0, 41, 1}};
    auto standin = Standin::Start({});
    ASSERT_NE(standin, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE("member " + std::to_string(c.member) + ", y " + std::to_string(c.y));
        HWND popup = standin->OpenPopup(c.member);
        ASSERT_NE(popup, nullptr);
        HWND submenu = OpenSubmenu(*standin, popup);
        ASSERT_NE(submenu, nullptr);

        const std::size_t from = standin->log().ReadRecords().size();
        PostLeftClick(submenu, 43, c.y);
        const auto applied = standin->WaitForEvent("role-applied", from);
        ASSERT_TRUE(applied);
        EXPECT_EQ(applied->Number("member"), static_cast<std::uint32_t>(c.member));
        EXPECT_EQ(applied->Number("role"), c.role);
        EXPECT_TRUE(standin->WaitForEvent("menus-closed", from));
        EXPECT_TRUE(WaitForNoTopLevelWindow({kMenuClass, kMenuTitle}));
    }
}

TEST(Standin, LogCarriesEveryPostedMouseMessageExactly) {
    struct Posted {
        const char* window;
        UINT message;
        std::uint32_t wParam;
        std::uint32_t lParam;
    };
    // What the tool's poster sends, with the awkward values among them.
    const std::vector<Posted> posted{
        {"popup", WM_MOUSEMOVE, 2, 0x00C80028},
        {"popup", WM_LBUTTONDOWN, 1, 0x00C80028},
        {"popup", WM_LBUTTONUP, 0, 0x00C80028},
        {"popup", WM_LBUTTONDBLCLK, 0, 0xFFFFFFFF},
        {"extra", WM_RBUTTONDOWN, 2, 0x0014000A},
        {"extra", WM_RBUTTONUP, 2, 0x0014000A},
        {"extra", WM_CONTEXTMENU, 0x000206AE, 0x01930253},
        {"extra", WM_RBUTTONDBLCLK, 0, 0x00010000},
        {"channel", WM_MBUTTONDOWN, 16, 0x00020002},
        {"channel", WM_MBUTTONUP, 0, 0x00020002},
        {"channel", WM_MBUTTONDBLCLK, 0, 0},
        {"channel", WM_MOUSEWHEEL, 0x00780010, 0x017F0249},
        {"channel", WM_MOUSEWHEEL, 0xFF880010, 0x017F0249},
    };
    auto standin = Standin::Start({L"--extra-window", L"QDialog:Other"});
    ASSERT_NE(standin, nullptr);
    HWND popup = standin->OpenPopup(0);
    ASSERT_NE(popup, nullptr);
    const std::vector<HWND> extras = standin->Windows(L"QDialog", std::wstring(L"Other"));
    ASSERT_EQ(extras.size(), 1u);
    const auto target = [&](const std::string& window) {
        return window == "popup" ? popup : window == "extra" ? extras.front() : standin->channel();
    };

    const std::vector<StandinLogRecord> logged = standin->CaptureMessages([&] {
        for (const Posted& p : posted) {
            PostMessageW(target(p.window), p.message, static_cast<WPARAM>(p.wParam),
                         static_cast<LPARAM>(p.lParam));
        }
    });
    ASSERT_EQ(logged.size(), posted.size()) << support::DescribeRecords(logged);
    for (std::size_t i = 0; i < posted.size(); ++i) {
        SCOPED_TRACE("message " + std::to_string(i));
        EXPECT_EQ(logged[i].window, posted[i].window);
        EXPECT_EQ(logged[i].message, posted[i].message);
        EXPECT_EQ(logged[i].wParam, posted[i].wParam);
        EXPECT_EQ(logged[i].lParam, posted[i].lParam);
    }
}

TEST(Standin, OptionsSetThePositionAndTheMenuSizes) {
    struct Case {
        const char* name;
        std::vector<std::wstring> arguments;
        POINT channelTopLeft;
        SIZE popup;
        SIZE submenu;
    };
    const std::vector<Case> cases{
        {"defaults", {}, {100, 100}, {180, 408}, {156, 84}},
        {"second_submenu_form",
         {L"--submenu-size", L"120x106"},
         {100, 100},
         {180, 408},
         {120, 106}},
        {"narrow_submenu", {L"--submenu-size", L"155x84"}, {100, 100}, {180, 408}, {155, 84}},
        {"short_popup", {L"--popup-height", L"407"}, {100, 100}, {180, 407}, {156, 84}},
        {"negative_position", {L"--position", L"-50,-20"}, {-50, -20}, {180, 408}, {156, 84}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto standin = Standin::Start(c.arguments);
        ASSERT_NE(standin, nullptr);
        const RECT channel = OuterRect(standin->channel());
        EXPECT_EQ(channel.left, c.channelTopLeft.x);
        EXPECT_EQ(channel.top, c.channelTopLeft.y);

        HWND popup = standin->OpenPopup(0);
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(Width(OuterRect(popup)), c.popup.cx);
        EXPECT_EQ(Height(OuterRect(popup)), c.popup.cy);
        HWND submenu = OpenSubmenu(*standin, popup);
        ASSERT_NE(submenu, nullptr);
        EXPECT_EQ(Width(OuterRect(submenu)), c.submenu.cx);
        EXPECT_EQ(Height(OuterRect(submenu)), c.submenu.cy);
    }
}

TEST(Standin, SubmenuComesOnlyAtTheClickThatTheOptionsSay) {
    struct Case {
        const char* name;
        std::vector<std::wstring> arguments;
        int clicksWithoutSubmenu;  // clicks that leave it closed; the next opens it
    };
    const std::vector<Case> cases{
        {"first_click", {}, 0},
        {"third_click", {L"--submenu-after-clicks", L"3"}, 2},
        {"never", {L"--no-submenu"}, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto standin = Standin::Start(c.arguments);
        ASSERT_NE(standin, nullptr);
        HWND popup = standin->OpenPopup(0);
        ASSERT_NE(popup, nullptr);
        for (int i = 0; i < c.clicksWithoutSubmenu; ++i) {
            standin->CaptureMessages([&] { PostLeftClick(popup, 40, 200); });
        }
        EXPECT_EQ(CountEvents(*standin, "submenu-opened"), 0u);
        if (c.arguments != std::vector<std::wstring>{L"--no-submenu"}) {
            EXPECT_NE(OpenSubmenu(*standin, popup), nullptr);
        }
    }
}

TEST(Standin, SubmenuDelayAndHangHoldTheSubmenuBack) {
    struct Case {
        const char* name;
        std::vector<std::wstring> arguments;
        const char* startEvent;  // logged when the wait begins
        std::uint64_t atLeastMs;
    };
    const std::vector<Case> cases{
        {"delay", {L"--submenu-delay", L"300"}, nullptr, 300},
        {"hang", {L"--hang-ms", L"300"}, "hang-started", 300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto standin = Standin::Start(c.arguments);
        ASSERT_NE(standin, nullptr);
        HWND popup = standin->OpenPopup(0);
        ASSERT_NE(popup, nullptr);
        ASSERT_NE(OpenSubmenu(*standin, popup), nullptr);

        const std::vector<StandinLogRecord> records = standin->log().ReadRecords();
        std::optional<std::uint64_t> clickedAt;
        std::optional<std::uint64_t> openedAt;
        for (const StandinLogRecord& record : records) {
            const bool starts = c.startEvent != nullptr
                                    ? record.event == c.startEvent
                                    : record.window == "popup" && record.message == WM_LBUTTONUP;
            if (starts && !clickedAt) clickedAt = record.timeMs;
            if (record.event == "submenu-opened") openedAt = record.timeMs;
        }
        ASSERT_TRUE(clickedAt && openedAt);
        EXPECT_GE(*openedAt - *clickedAt, c.atLeastMs);
    }
}

TEST(Standin, OpenPopupOptionOpensItBeforeReady) {
    auto standin = Standin::Start({L"--open-popup", L"--member", L"2"});
    ASSERT_NE(standin, nullptr);
    const auto opened = standin->WaitForEvent("popup-opened");
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->Number("member"), 2u);
    EXPECT_EQ(FindWindowExW(nullptr, nullptr, kMenuClass.c_str(), kMenuTitle.c_str()),
              support::WindowFromLogField(*opened, "hwnd"));
}

TEST(Standin, ExtraWindowsComeBeforeTheChannelLastGivenFirst) {
    auto standin =
        Standin::Start({L"--extra-window", L"QWidget:Lobby", L"--extra-window",
                        L"QWidget:Room 77-Main", L"--extra-window", L"QDialog:频道 77385929-大厅"});
    ASSERT_NE(standin, nullptr);
    const std::vector<HWND> widgets = standin->Windows(L"QWidget");
    ASSERT_EQ(widgets.size(), 3u);
    EXPECT_EQ(widgets[0], FindWindowExW(nullptr, nullptr, L"QWidget", L"Room 77-Main"));
    EXPECT_EQ(widgets[1], FindWindowExW(nullptr, nullptr, L"QWidget", L"Lobby"));
    EXPECT_EQ(widgets[2], standin->channel());
    EXPECT_EQ(standin->Windows(L"QDialog", std::wstring(L"频道 77385929-大厅")).size(), 1u);
}

TEST(Standin, ClosingTheChannelWindowEndsTheProgram) {
    auto standin = Standin::Start({L"--open-popup"});
    ASSERT_NE(standin, nullptr);
    PostMessageW(standin->channel(), WM_CLOSE, 0, 0);
    EXPECT_EQ(standin->process().WaitForExit(support::kGenerousTimeout), 0u);
}

// The tool's own window routines, across processes, against the stand-in.

TEST(StandinAndTheTool, FindWindowByTitleFragmentTakesTheFirstOfTheClassInTheListing) {
    struct Case {
        const char* name;
        std::vector<std::wstring> arguments;
        std::wstring fragment;
        // Which window is found: the channel, the extra window of that title, or none.
        enum { kChannel, kExtra, kNone } expected;
        std::wstring extraTitle;
    };
    const std::vector<Case> cases{
        {"past_a_lobby", {L"--extra-window", L"QWidget:Lobby"}, L"77385929-", Case::kChannel, L""},
        {"chinese_fragment", {}, L"频道 77385929-大厅", Case::kChannel, L""},
        {"letters_in_any_case",
         {L"--channel", L"ROOM7", L"--title", L"Main"},
         L"room7-m",
         Case::kChannel,
         L""},
        {"first_listed_of_two",
         {L"--extra-window", L"QWidget:频道 77385929-副本"},
         L"77385929-",
         Case::kExtra,
         L"频道 77385929-副本"},
        {"other_class_never",
         {L"--channel", L"555", L"--extra-window", L"QDialog:频道 77385929-大厅"},
         L"77385929-",
         Case::kNone,
         L""},
    };
    Win32SystemWindows system;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto standin = Standin::Start(c.arguments);
        ASSERT_NE(standin, nullptr);
        HWND expected = nullptr;
        if (c.expected == Case::kChannel) expected = standin->channel();
        if (c.expected == Case::kExtra) {
            expected = FindWindowExW(nullptr, nullptr, L"QWidget", c.extraTitle.c_str());
            ASSERT_NE(expected, nullptr);
        }
        EXPECT_EQ(FindWindowByTitleFragment(system, CodePage936FromWide(c.fragment), "QWidget"),
                  Win32SystemWindows::FromHwnd(expected));
    }
}

TEST(StandinAndTheTool, GetWindowBoundsMeasuresTheStandinsWindows) {
    auto standin = Standin::Start({L"--position", L"-50,-20"});
    ASSERT_NE(standin, nullptr);
    HWND popup = standin->OpenPopup(0);
    ASSERT_NE(popup, nullptr);
    Win32SystemWindows system;

    const WindowBounds channel =
        GetWindowBounds(system, Win32SystemWindows::FromHwnd(standin->channel()));
    EXPECT_EQ(channel.left, -50);
    EXPECT_EQ(channel.top, -20);
    EXPECT_EQ(channel.width, 360);
    EXPECT_EQ(channel.height, 240);
    const WindowBounds menu = GetWindowBounds(system, Win32SystemWindows::FromHwnd(popup));
    EXPECT_EQ(menu.width, 180);
    EXPECT_EQ(menu.height, 408);
}

TEST(StandinAndTheTool, PostMouseActionArrivesAsTheExactMessages) {
    struct Expected {
        std::uint32_t message;
        std::uint32_t wParam;
        std::uint32_t lParam;
    };
    struct Case {
        const char* name;
        const char* window;  // channel or popup
        std::int32_t x;
        std::int32_t y;
        std::int32_t button;
        std::vector<Expected> expected;
    };
    const std::vector<Case> cases{
        {"left_click_on_the_entry",
         "popup",
         40,
         200,
         MouseButton::Left,
         {{WM_MOUSEMOVE, 2, 0x00C80028},
          {WM_LBUTTONDOWN, 1, 0x00C80028},
          {WM_LBUTTONUP, 0, 0x00C80028}}},
        {"right_click",
         "channel",
         10,
         20,
         MouseButton::Right,
         {{WM_MOUSEMOVE, 2, 0x0014000A},
          {WM_RBUTTONDOWN, 2, 0x0014000A},
          {WM_RBUTTONUP, 2, 0x0014000A},
          {WM_CONTEXTMENU, 0x000206AE, 0x01930253}}},
        {"wheel_up",
         "channel",
         0,
         0,
         MouseButton::WheelUp,
         {{WM_MOUSEWHEEL, 0x00780010, 0x017F0249}}},
        {"wheel_down",
         "channel",
         0,
         0,
         MouseButton::WheelDown,
         {{WM_MOUSEWHEEL, 0xFF880010, 0x017F0249}}},
    };
    Win32SystemWindows system;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto standin = Standin::Start({});
        ASSERT_NE(standin, nullptr);
        HWND target = standin->channel();
        if (std::string(c.window) == "popup") target = standin->OpenPopup(0);
        ASSERT_NE(target, nullptr);

        const std::vector<StandinLogRecord> logged = standin->CaptureMessages([&] {
            PostMouseAction(system, Win32SystemWindows::FromHwnd(target), c.x, c.y, c.button);
        });
        ASSERT_EQ(logged.size(), c.expected.size()) << support::DescribeRecords(logged);
        for (std::size_t i = 0; i < logged.size(); ++i) {
            SCOPED_TRACE("message " + std::to_string(i));
            EXPECT_EQ(logged[i].window, c.window);
            EXPECT_EQ(logged[i].message, c.expected[i].message);
            EXPECT_EQ(logged[i].wParam, c.expected[i].wParam);
            EXPECT_EQ(logged[i].lParam, c.expected[i].lParam);
        }
    }
}

}  // namespace
}  // namespace korrelin
