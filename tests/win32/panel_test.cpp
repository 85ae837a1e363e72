// The panel as a user's desktop sees it: korrelin.exe runs as its own process and is
// looked at and typed at from outside.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "panel/panel_layout.h"
#include "support/korrelin_panel.h"
#include "support/user_input.h"
#include "winauto/codepage_win32.h"

namespace korrelin {
namespace {

using support::KorrelinPanel;

// The panel's place in client coordinates of the panel.
RECT ClientRectOf(HWND control, HWND panel) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, panel, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

TEST(Panel, IsCentredWithItsTitleSizeAndFixedFrame) {
    auto panel = KorrelinPanel::Start();
    ASSERT_NE(panel, nullptr);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (const char* expected = std::getenv("KORRELIN_EXPECT_SCREEN")) {
        ASSERT_EQ(std::to_string(screenWidth) + "x" + std::to_string(screenHeight), expected);
    }
    struct KnownScreen {
        int width, height, left, top;
    };
    const KnownScreen known[] = {{1920, 1080, 811, 413}, {1024, 768, 363, 257}};
    int expectedLeft = CentredPanelPosition(screenWidth, screenHeight).left;
    int expectedTop = CentredPanelPosition(screenWidth, screenHeight).top;
    for (const KnownScreen& screen : known) {
        if (screen.width == screenWidth && screen.height == screenHeight) {
            expectedLeft = screen.left;
            expectedTop = screen.top;
        }
    }
    RECT rect{};
    GetWindowRect(panel->window(), &rect);
    EXPECT_EQ(rect.left, expectedLeft) << "screen " << screenWidth << "x" << screenHeight;
    EXPECT_EQ(rect.top, expectedTop);
    EXPECT_EQ(rect.right - rect.left, 298);
    EXPECT_EQ(rect.bottom - rect.top, 254);
    EXPECT_EQ(support::WindowText(panel->window()), L"Korrelin");

    const LONG_PTR style = GetWindowLongPtrW(panel->window(), GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(GetWindowLongPtrW(panel->window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetWindow(panel->window(), GW_OWNER), nullptr);
    EXPECT_EQ(GetMenu(panel->window()), nullptr);
}

TEST(Panel, ControlsHaveTheirClassesTextsPlacesAndSizes) {
    auto panel = KorrelinPanel::Start();
    ASSERT_NE(panel, nullptr);
    for (const ControlSpec& spec : kPanelControls) {
        SCOPED_TRACE(static_cast<int>(spec.id));
        const HWND control = panel->Control(spec.id);
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(IsWindowVisible(control));
        EXPECT_TRUE(IsWindowEnabled(control));
        const RECT rect = ClientRectOf(control, panel->window());
        EXPECT_EQ(rect.left, spec.x);
        EXPECT_EQ(rect.top, spec.y);
        EXPECT_EQ(rect.right - rect.left, spec.width);
        const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
        switch (spec.kind) {
            case ControlKind::Label:
                EXPECT_EQ(ClassOf(control), L"Static");
                EXPECT_EQ(rect.bottom - rect.top, spec.height);
                EXPECT_EQ(style & SS_TYPEMASK, SS_LEFTNOWORDWRAP);  // one line, cut at the edge
                EXPECT_TRUE(style & SS_CENTERIMAGE);                // centred vertically
                break;
            case ControlKind::EditBox:
                EXPECT_EQ(ClassOf(control), L"Edit");
                EXPECT_EQ(rect.bottom - rect.top, spec.height);
                EXPECT_TRUE(GetWindowLongPtrW(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
                EXPECT_TRUE(style & ES_AUTOHSCROLL);
                EXPECT_FALSE(style & (ES_MULTILINE | ES_NUMBER | ES_NOHIDESEL));
                break;
            case ControlKind::PushButton:
                EXPECT_EQ(ClassOf(control), L"Button");
                EXPECT_EQ(rect.bottom - rect.top, spec.height);
                EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON);  // none is the default button
                break;
            case ControlKind::DropDownList:
                EXPECT_EQ(ClassOf(control), L"ComboBox");
                EXPECT_EQ(style & 3, CBS_DROPDOWNLIST);
                EXPECT_FALSE(style & CBS_SORT);
                break;
        }
        if (spec.kind != ControlKind::DropDownList) {
            EXPECT_EQ(support::WindowText(control), WideFromCodePage936(spec.text));
        }
    }
}

TEST(Panel, RoleListHoldsTheThreeItemsWithTheFirstSelected) {
    auto panel = KorrelinPanel::Start();
    ASSERT_NE(panel, nullptr);
    const HWND list = panel->Control(ControlId::组合框2);
    ASSERT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 3);
    for (int i = 0; i < 3; ++i) {
        wchar_t item[64] = {};
        ASSERT_LT(SendMessageW(list, CB_GETLBTEXTLEN, i, 0), 64);
        SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        EXPECT_EQ(std::wstring(item), WideFromCodePage936(kRoleItems[static_cast<std::size_t>(i)]))
            << i;
    }
    EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), 0);
}

TEST(Panel, StartsWithTheFocusOnTheStartButtonAndTabWalksTheKeyboardOrder) {
    auto panel = KorrelinPanel::Start();
    ASSERT_NE(panel, nullptr);  // shown with the focus on 按钮1

    // Forward twice round, then backward twice round: it wraps at both ends.
    for (const bool backwards : {false, true}) {
        ControlId at = ControlId::按钮1;
        for (std::size_t step = 0; step < 2 * kKeyboardOrder.size(); ++step) {
            const ControlId next = NextInKeyboardOrder(at, backwards);
            support::PressKey(VK_TAB,
                              backwards ? std::vector<WORD>{VK_SHIFT} : std::vector<WORD>{});
            EXPECT_TRUE(support::WaitUntil([&] { return panel->Focus() == panel->Control(next); }))
                << (backwards ? "Shift+Tab" : "Tab") << " from " << static_cast<int>(at) << " to "
                << static_cast<int>(next);
            at = next;
        }
    }
}

TEST(Panel, EscInAnEditBoxClosesThePanelButShiftEscDoesNot) {
    auto panel = KorrelinPanel::Start();
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(panel->TabTo(ControlId::编辑框1));

    support::PressKey(VK_ESCAPE, {VK_SHIFT});
    // Handled in order: once Tab has moved the focus, Shift+Esc was handled before it.
    support::PressKey(VK_TAB);
    ASSERT_TRUE(
        support::WaitUntil([&] { return panel->Focus() == panel->Control(ControlId::编辑框2); }));
    EXPECT_TRUE(IsWindow(panel->window()));

    support::PressKey(VK_ESCAPE);
    EXPECT_EQ(panel->process().WaitForExit(support::kGenerousTimeout), std::optional<DWORD>(0));
}

TEST(Panel, EnterPressesNoButton) {
    auto panel = KorrelinPanel::Start();
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(support::BringToForeground(panel->window()));
    // On 按钮1, a press would run Start, which here (no chat client) shows a message box.
    support::PressKey(VK_RETURN);
    support::PressKey(VK_TAB);
    ASSERT_TRUE(
        support::WaitUntil([&] { return panel->Focus() == panel->Control(ControlId::编辑框1); }));
    EXPECT_TRUE(
        support::FindTopLevelWindows({L"#32770", std::nullopt, panel->process().id()}).empty());
}

TEST(Panel, EveryWayOfClosingEndsTheProgramWithExitStatusZero) {
    struct Way {
        const char* name;
        void (*close)(HWND panel);
    };
    const Way ways[] = {
        {"close button", [](HWND window) { PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Alt+F4",
         [](HWND window) {
             support::BringToForeground(window);
             support::PressKey(VK_F4, {VK_MENU});
         }},
        {"Esc",
         [](HWND window) {
             support::BringToForeground(window);
             support::PressKey(VK_ESCAPE);
         }},
    };
    for (const Way& way : ways) {
        auto panel = KorrelinPanel::Start();
        ASSERT_NE(panel, nullptr) << way.name;
        way.close(panel->window());
        EXPECT_EQ(panel->process().WaitForExit(support::kGenerousTimeout), std::optional<DWORD>(0))
            << way.name;
    }
}

TEST(Panel, RunsUnderTheCodePageTheTestRunAskedFor) {
    // The suite runs twice: with the machine's ANSI code page and with LC_ALL set to a
    // Chinese locale (936). The panel's texts are checked above in both runs.
    const char* expected = std::getenv("KORRELIN_EXPECT_ACP");
    if (expected == nullptr) GTEST_SKIP() << "no code page asked for";
    EXPECT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
}

}  // namespace
}  // namespace korrelin
