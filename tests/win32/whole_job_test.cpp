// The whole job on a real desktop: korrelin.exe and the stand-in chat client run as
// two processes; the panel is driven from outside as a user drives it (mouse clicks
// on its buttons, text typed into its boxes, a role picked in its list) and the
// stand-in's log shows exactly what reached its windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <fstream>
#include <sstream>
#include <string>

#include "build_config.h"
#include "panel/panel_texts.h"
#include "support/korrelin_panel.h"
#include "support/standin.h"
#include "winauto/codepage_win32.h"

namespace korrelin {
namespace {

using support::KorrelinPanel;
using support::Standin;
using support::StandinLogRecord;

std::vector<StandinLogRecord> MessagesTo(const Standin& standin, const std::string& window,
                                         std::size_t from = 0) {
    std::vector<StandinLogRecord> messages;
    const auto records = standin.log().ReadRecords();
    for (std::size_t i = from; i < records.size(); ++i) {
        if (records[i].IsMessage() && records[i].window == window) messages.push_back(records[i]);
    }
    return messages;
}

// A left click as the tool posts it: move (wParam 2), press (1), release (0).
void ExpectLeftClick(const std::vector<StandinLogRecord>& messages, std::size_t at,
                     std::uint32_t lParam) {
    ASSERT_GE(messages.size(), at + 3) << support::DescribeRecords(messages);
    const std::uint32_t expected[3][2] = {{0x0200, 2}, {0x0201, 1}, {0x0202, 0}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(messages[at + i].message, expected[i][0]) << messages[at + i].line;
        EXPECT_EQ(messages[at + i].wParam, expected[i][1]) << messages[at + i].line;
        EXPECT_EQ(messages[at + i].lParam, lParam) << messages[at + i].line;
    }
}

TEST(WholeJob, StartWithoutTheChannelWindowShowsTheMessageAndClicksNothing) {
    auto standin = Standin::Start({L"--channel", L"11111111"});
    ASSERT_NE(standin, nullptr);
    auto panel = KorrelinPanel::Start();
    ASSERT_NE(panel, nullptr);
    const std::wstring hint = panel->Text(ControlId::标签1);

    panel->Click(ControlId::按钮1);
    const HWND box = panel->WaitForMessageBox(support::kMessageCaptionText);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(support::MessageBoxText(box), WideFromCodePage936(kChannelNotFound));
    ASSERT_TRUE(panel->CloseMessageBox(box));
    EXPECT_EQ(panel->Text(ControlId::标签1), hint);

    // A menu opened now stays untouched over many periods of the (unarmed) watcher.
    EXPECT_TRUE(standin->PopupLeftAloneFor(0))
        << "the tool clicked a menu although Start found no channel";
}

TEST(WholeJob, EachRoleIsClickedThroughTheMenuAndGivenToTheMember) {
    struct Role {
        int selection;
        std::uint32_t submenuLParam;
    };
    const Role roles[] = {{0, 0x0011002B}, {1, 0x0029002B}, {2, 0x003D002B}};
    for (const Role& role : roles) {
        SCOPED_TRACE(role.selection);
        auto standin = Standin::Start({L"--channel", L"77385929"});
        ASSERT_NE(standin, nullptr);
        auto panel = KorrelinPanel::Start();
        ASSERT_NE(panel, nullptr);
        ASSERT_TRUE(panel->PickRole(role.selection));
        panel->Click(ControlId::按钮1);
        ASSERT_TRUE(panel->WaitForStatus(support::kRunningText)) << panel->Describe();

        const int member = role.selection + 1;
        ASSERT_NE(standin->OpenPopup(member), nullptr);
        const auto applied = standin->WaitForEvent("role-applied");
        ASSERT_TRUE(applied.has_value()) << support::DescribeRecords(standin->log().ReadRecords());
        EXPECT_EQ(applied->Number("member"), std::optional<std::uint32_t>(member));
        EXPECT_EQ(applied->Number("role"), std::optional<std::uint32_t>(role.selection));

        // The pop-up got the click at (40, 200), the submenu the click on the role.
        ExpectLeftClick(MessagesTo(*standin, "popup"), 0, 0x00C80028);
        const auto submenu = MessagesTo(*standin, "submenu");
        ExpectLeftClick(submenu, 0, role.submenuLParam);
        EXPECT_EQ(submenu.size(), 3u) << support::DescribeRecords(submenu);
    }
}

TEST(WholeJob, AfterStopAMenuOpenedReceivesNothing) {
    auto standin = Standin::Start({L"--channel", L"77385929"});
    ASSERT_NE(standin, nullptr);
    auto panel = KorrelinPanel::Start();
    ASSERT_NE(panel, nullptr);
    panel->Click(ControlId::按钮1);
    ASSERT_TRUE(panel->WaitForStatus(support::kRunningText)) << panel->Describe();
    ASSERT_NE(standin->OpenPopup(0), nullptr);
    ASSERT_TRUE(standin->WaitForEvent("role-applied").has_value());

    panel->Click(ControlId::按钮2);
    ASSERT_TRUE(panel->WaitForStatus(support::kStoppedText));
    EXPECT_TRUE(standin->PopupLeftAloneFor(1)) << "the tool clicked a menu after Stop";
}

TEST(WholeJob, APeriodThatIsNotAPositiveNumberIsRefusedWithAMessage) {
    for (const wchar_t* period : {L"0", L"abc", L"-5"}) {
        SCOPED_TRACE(std::string(period, period + wcslen(period)));
        auto standin = Standin::Start({L"--channel", L"77385929"});
        ASSERT_NE(standin, nullptr);
        auto panel = KorrelinPanel::Start();
        ASSERT_NE(panel, nullptr);
        const std::wstring hint = panel->Text(ControlId::标签1);
        ASSERT_TRUE(panel->TypeInto(ControlId::编辑框2, period));
        panel->Click(ControlId::按钮1);
        const HWND box = panel->WaitForMessageBox(support::kMessageCaptionText);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(support::MessageBoxText(box), WideFromCodePage936(kPeriodNotPositive));
        ASSERT_TRUE(panel->CloseMessageBox(box));
        EXPECT_EQ(panel->Text(ControlId::标签1), hint);
    }
}

TEST(WholeJob, TheWebPageButtonHandsTheAddressToTheDefaultBrowser) {
    const char* recorder = std::getenv("KORRELIN_BROWSER_RECORDER");
    const char* log = std::getenv("KORRELIN_BROWSER_LOG");
    if (recorder == nullptr || log == nullptr) GTEST_SKIP() << "no browser recorder set up";
    // Wine's browser launcher runs the first program of this list that it can.
    const std::wstring browsers(recorder, recorder + std::strlen(recorder));
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", L"Browsers",
                              REG_SZ, browsers.c_str(),
                              static_cast<DWORD>((browsers.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    // The log is a Unix path; Wine shows the Unix root as drive Z:.
    std::wstring logPath = L"Z:" + std::wstring(log, log + std::strlen(log));
    for (wchar_t& c : logPath) c = c == L'/' ? L'\\' : c;
    DeleteFileW(logPath.c_str());

    auto panel = KorrelinPanel::Start();
    ASSERT_NE(panel, nullptr);
    panel->Click(ControlId::按钮3);
    std::string recorded;
    ASSERT_TRUE(support::WaitUntil([&] {
        std::ifstream file(logPath.c_str());
        std::ostringstream content;
        content << file.rdbuf();
        recorded = content.str();
        return !recorded.empty();
    })) << "the browser was not started";
    EXPECT_EQ(recorded, std::string(kWebAddress) + "\n");
}

}  // namespace
}  // namespace korrelin
