// The panel's control properties and fonts, checked inside the process that owns the
// panel (some of them cannot be read from another process).
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "panel/panel_window_win32.h"
#include "support/korrelin_panel.h"
#include "winauto/system_windows_win32.h"

namespace korrelin {
namespace {

class PanelWindowTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(panel_.Create(GetModuleHandleW(nullptr))); }

    HWND Control(ControlId id) const { return GetDlgItem(panel_.Handle(), static_cast<int>(id)); }

    Win32SystemWindows system_;
    PanelWindow panel_{system_};
};

TEST_F(PanelWindowTest, PanelAndEveryControlUseTheDefaultGuiFont) {
    const auto font = reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_EQ(SendMessageW(panel_.Handle(), WM_GETFONT, 0, 0), font);
    for (const ControlSpec& spec : kPanelControls) {
        EXPECT_EQ(SendMessageW(Control(spec.id), WM_GETFONT, 0, 0), font)
            << static_cast<int>(spec.id);
    }
}

TEST_F(PanelWindowTest, PanelShowsTheProgramsOwnIconLargeAndSmall) {
    struct Case {
        WPARAM which;
        int metric;
    };
    for (const Case c : {Case{ICON_BIG, SM_CXICON}, Case{ICON_SMALL, SM_CXSMICON}}) {
        const auto icon =
            reinterpret_cast<HICON>(SendMessageW(panel_.Handle(), WM_GETICON, c.which, 0));
        ASSERT_NE(icon, nullptr) << c.which;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour{};
        GetObjectW(info.hbmColor, sizeof(colour), &colour);
        EXPECT_EQ(colour.bmWidth, GetSystemMetrics(c.metric)) << c.which;
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
}

TEST_F(PanelWindowTest, DroppedDownItemsAreOnePixelTallerThanTheFontsStandardHeight) {
    const HWND reference =
        CreateWindowExW(0, L"COMBOBOX", L"", WS_POPUP | CBS_DROPDOWNLIST, 0, 0, 130, 160, nullptr,
                        nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(reference, nullptr);
    SendMessageW(reference, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    const LRESULT standard = SendMessageW(reference, CB_GETITEMHEIGHT, 0, 0);
    DestroyWindow(reference);
    EXPECT_EQ(SendMessageW(Control(ControlId::组合框2), CB_GETITEMHEIGHT, 0, 0), standard + 1);
}

TEST_F(PanelWindowTest, DroppedDownListShowsAllThreeItemsWithinTheCreatedHeight) {
    const HWND list = Control(ControlId::组合框2);
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof(parts);
    ASSERT_TRUE(GetComboBoxInfo(list, &parts));
    SendMessageW(list, CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(IsWindowVisible(parts.hwndList));
    RECT listRect{};
    RECT comboRect{};
    GetWindowRect(parts.hwndList, &listRect);
    GetWindowRect(list, &comboRect);
    // The system may size the dropped list to its items; it stays within the created
    // height and shows all three items without scrolling.
    EXPECT_LE(listRect.bottom - comboRect.top, kDropDownCreatedHeight);
    EXPECT_EQ(GetWindowLongPtrW(parts.hwndList, GWL_STYLE) & WS_VSCROLL, 0)
        << "all three items fit";
    RECT listClient{};
    GetClientRect(parts.hwndList, &listClient);
    EXPECT_GE(listClient.bottom, 3 * SendMessageW(list, CB_GETITEMHEIGHT, 0, 0));
    SendMessageW(list, CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(PanelWindowTest, EditBoxTextsReadBackAsCodePage936OrMissingWhenEmpty) {
    EXPECT_EQ(panel_.ReadEditText(EditBox::编辑框1), std::optional<std::string>("77385929"));
    EXPECT_EQ(panel_.ReadEditText(EditBox::编辑框2), std::optional<std::string>("100"));
    struct Case {
        const wchar_t* typed;
        std::optional<std::string> read;
    };
    const Case cases[] = {
        {L"", std::nullopt},
        {L"abc", "abc"},
        {L"\xFF11\xFF10\xFF10", "\xA3\xB1\xA3\xB0\xA3\xB0"},  // full-width 100
        {L"\x83DC\x5355", "\xB2\xCB\xB5\xA5"},                // 菜单
        {L" 100ms", " 100ms"},
    };
    for (const Case& c : cases) {
        SetWindowTextW(Control(ControlId::编辑框2), c.typed);
        EXPECT_EQ(panel_.ReadEditText(EditBox::编辑框2), c.read);
    }
    // Neither box limits the length of what the user types.
    EXPECT_GE(SendMessageW(Control(ControlId::编辑框1), EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
    EXPECT_GE(SendMessageW(Control(ControlId::编辑框2), EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
}

TEST_F(PanelWindowTest, StatusCaptionIsWrittenAtOnceAndMissingEmptiesIt) {
    panel_.WriteStatusCaption("\xD4\xCB\xD0\xD0\xD6\xD0");  // 运行中
    EXPECT_EQ(support::WindowText(Control(ControlId::标签1)), L"\x8FD0\x884C\x4E2D");
    panel_.WriteStatusCaption(std::nullopt);
    EXPECT_EQ(support::WindowText(Control(ControlId::标签1)), L"");
}

TEST_F(PanelWindowTest, SelectionReadsTheListsCurrentItemOrMinusOne) {
    EXPECT_EQ(panel_.ReadSelection(), 0);
    for (const int index : {2, 1, 0, -1}) {
        SendMessageW(Control(ControlId::组合框2), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        EXPECT_EQ(panel_.ReadSelection(), index);
    }
}

TEST_F(PanelWindowTest, AfterThePanelIsGoneItsPropertiesTouchNothing) {
    panel_.WritePeriod(100);
    DestroyWindow(panel_.Handle());
    EXPECT_FALSE(panel_.PanelExists());
    EXPECT_EQ(panel_.ReadEditText(EditBox::编辑框2), std::nullopt);
    EXPECT_EQ(panel_.ReadSelection(), -1);
    panel_.WriteStatusCaption("x");
    // The quit request that closing posted is for the test's own loop: take it away.
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

}  // namespace
}  // namespace korrelin
