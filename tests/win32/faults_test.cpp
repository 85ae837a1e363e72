// Faults on a real desktop: the chat client (the stand-in) killed, its menu closed or
// its thread hung in the middle of a cycle, the panel closed during a cycle's pause,
// titles and texts of unusual lengths and bytes, the longest and shortest periods.
// Each checks that nothing hangs, that the panel keeps answering, and that the next
// use still works.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "panel/panel_texts.h"
#include "support/korrelin_panel.h"
#include "support/standin.h"
#include "support/user_input.h"
#include "winauto/codepage_win32.h"

namespace korrelin {
namespace {

using support::KorrelinPanel;
using support::Standin;
using support::StandinLogRecord;

constexpr std::uint32_t kLeftButtonUp = 0x0202;
constexpr DWORD kAnswerDeadlineMs = 10000;

// Asks 标签1 for its text the way another program does, with a generous deadline;
// the text when the panel answered in time, none when it did not.
std::optional<std::wstring> AskStatus(KorrelinPanel& panel) {
    wchar_t text[64] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(panel.Control(ControlId::标签1), WM_GETTEXT, 64,
                             reinterpret_cast<LPARAM>(text), SMTO_NORMAL, kAnswerDeadlineMs,
                             &copied)) {
        return std::nullopt;
    }
    return std::wstring(text, static_cast<std::size_t>(copied));
}

std::size_t CountClicksOnPopup(const Standin& standin) {
    std::size_t clicks = 0;
    for (const StandinLogRecord& record : standin.log().ReadRecords()) {
        if (record.window == "popup" && record.message == kLeftButtonUp) ++clicks;
    }
    return clicks;
}

// Once the pop-up has had that many clicks, the cycle is looping through its pauses.
bool WaitForClicksOnPopup(const Standin& standin, std::size_t clicks) {
    return support::WaitUntil([&] { return CountClicksOnPopup(standin) >= clicks; });
}

// Sends a message to a window of the panel and waits for it to be handled, at most
// for a generous deadline; whether it was.
bool SendToPanel(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kAnswerDeadlineMs,
                               &result) != 0;
}

// Starts the panel and switches the watcher on against the stand-in's channel, with
// the period typed in (none: the initial one).
std::unique_ptr<KorrelinPanel> StartWatching(std::optional<std::wstring> period = std::nullopt) {
    auto panel = KorrelinPanel::Start();
    if (panel == nullptr) return nullptr;
    if (period && !panel->TypeInto(ControlId::编辑框2, *period)) {
        ADD_FAILURE() << "cannot type the period";
        return nullptr;
    }
    panel->Click(ControlId::按钮1);
    if (!panel->WaitForStatus(support::kRunningText)) {
        ADD_FAILURE() << "Start did not switch the watcher on: " << panel->Describe();
        return nullptr;
    }
    return panel;
}

// The next use: a menu opened on the stand-in gets its member the picked role (0).
void ExpectNextMenuIsHandled(Standin& standin, int member) {
    const std::size_t from = standin.log().ReadRecords().size();
    ASSERT_NE(standin.OpenPopup(member), nullptr);
    const auto applied = standin.WaitForEvent("role-applied", from);
    ASSERT_TRUE(applied.has_value()) << support::DescribeRecords(standin.log().ReadRecords());
    EXPECT_EQ(applied->Number("member"), std::optional<std::uint32_t>(member));
}

TEST(Faults, TheClientKilledInTheMiddleOfACycle) {
    auto standin = Standin::Start({L"--no-submenu"});
    ASSERT_NE(standin, nullptr);
    auto panel = StartWatching();
    ASSERT_NE(panel, nullptr);
    ASSERT_NE(standin->OpenPopup(0), nullptr);
    ASSERT_TRUE(WaitForClicksOnPopup(*standin, 3));
    EXPECT_EQ(AskStatus(*panel), support::kRunningText);

    standin->process().Terminate();
    ASSERT_FALSE(standin->process().IsRunning());
    EXPECT_EQ(AskStatus(*panel), support::kRunningText);

    // The client started again: its menus are handled as before.
    auto restarted = Standin::Start({});
    ASSERT_NE(restarted, nullptr);
    ExpectNextMenuIsHandled(*restarted, 1);
    EXPECT_EQ(AskStatus(*panel), support::kRunningText);
    EXPECT_TRUE(panel->process().IsRunning());
}

TEST(Faults, TheMenuClosedWhileTheToolWaitsForTheSubmenu) {
    // The submenu comes 2 s after the click: the cycle goes on clicking meanwhile.
    auto standin = Standin::Start({L"--submenu-delay", L"2000"});
    ASSERT_NE(standin, nullptr);
    auto panel = StartWatching();
    ASSERT_NE(panel, nullptr);
    ASSERT_NE(standin->OpenPopup(0), nullptr);
    ASSERT_TRUE(WaitForClicksOnPopup(*standin, 2));

    // A click into the channel window closes the menu, as the client does.
    const std::size_t from = standin->log().ReadRecords().size();
    PostMessageW(standin->channel(), WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(standin->WaitForEvent("menus-closed", from).has_value());
    const auto records = standin->log().ReadRecords();
    for (const StandinLogRecord& record : records) {
        ASSERT_NE(record.event, "submenu-opened") << "the menu closed too late for this test:\n"
                                                  << support::DescribeRecords(records);
    }

    EXPECT_EQ(AskStatus(*panel), support::kRunningText);
    ExpectNextMenuIsHandled(*standin, 1);
}

TEST(Faults, AClientThatDoesNotAnswerForSecondsNeitherHangsNorFreezesThePanel) {
    auto standin = Standin::Start({L"--hang-ms", L"4000"});
    ASSERT_NE(standin, nullptr);
    auto panel = StartWatching();
    ASSERT_NE(panel, nullptr);
    ASSERT_NE(standin->OpenPopup(0), nullptr);
    ASSERT_TRUE(standin->WaitForEvent("hang-started").has_value());

    // The panel answers while the client still sleeps: nothing of the tool waits for it.
    EXPECT_EQ(AskStatus(*panel), support::kRunningText);
    const auto records = standin->log().ReadRecords();
    for (const StandinLogRecord& record : records) {
        EXPECT_NE(record.event, "hang-ended") << "the panel answered only after the client woke";
    }

    // Once the client handles its messages again, the clicks that waited in its queue
    // open the submenu, and the tool completes the job.
    const auto applied = standin->WaitForEvent("role-applied");
    ASSERT_TRUE(applied.has_value()) << support::DescribeRecords(standin->log().ReadRecords());
    EXPECT_EQ(applied->Number("member"), std::optional<std::uint32_t>(0));
    ExpectNextMenuIsHandled(*standin, 2);
    EXPECT_EQ(AskStatus(*panel), support::kRunningText);
}

TEST(Faults, ThePanelClosedDuringACyclesPauseEndsTheProgramCleanly) {
    struct Closing {
        const char* name;
        UINT message;
        WPARAM wParam;
    };
    const Closing closings[] = {{"WM_CLOSE", WM_CLOSE, 0}, {"SC_CLOSE", WM_SYSCOMMAND, SC_CLOSE}};
    for (const Closing& closing : closings) {
        SCOPED_TRACE(closing.name);
        auto standin = Standin::Start({L"--no-submenu"});
        ASSERT_NE(standin, nullptr);
        auto panel = StartWatching();
        ASSERT_NE(panel, nullptr);
        ASSERT_NE(standin->OpenPopup(0), nullptr);
        ASSERT_TRUE(WaitForClicksOnPopup(*standin, 3));

        PostMessageW(panel->window(), closing.message, closing.wParam, 0);
        EXPECT_EQ(panel->process().WaitForExit(support::kGenerousTimeout), std::optional<DWORD>(0));
    }
}

// The channel ID that Start looks for is typed into 编辑框1; the titles are those of
// further windows of the channel class. Titles are read in code page 936 and cut to
// their first 255 bytes (whole characters only).
TEST(Faults, LongTitlesAndOddByteSequencesInChannelTitles) {
    struct TitleCase {
        const char* what;
        std::wstring title;
        std::wstring channelId;
        bool found;
    };
    const auto padded = [](std::wstring text) {
        text.resize(300, L'x');
        return text;
    };
    const std::wstring ascii246(246, L'x');
    const std::wstring chinese123(123, L'频');  // two bytes each: 246 bytes
    const TitleCase cases[] = {
        {"300 characters, the ID ending at byte 255", padded(ascii246 + L"10000001-"), L"10000001",
         true},
        {"300 characters, the ID's '-' the 256th byte", padded(ascii246 + L"x10000002-"),
         L"10000002", false},
        {"300 Chinese characters, the ID ending at byte 255", padded(chinese123 + L"10000003-"),
         L"10000003", true},
        {"300 Chinese characters, the ID beyond byte 255", padded(chinese123 + L"频10000004-"),
         L"10000004", false},
        // U+20AC is the single byte 0x80, which takes the byte after it along.
        {"a lone 0x80 just before the ID", L"频道 \u20AC10000005-大厅", L"10000005", false},
        {"a lone 0x80 at the end of the title", L"频道 10000006-大厅\u20AC", L"10000006", true},
        // U+F8F5 is the single byte 0xFF.
        {"a lone 0xFF just before the ID", L"频道 \uF8F510000007-大厅", L"10000007", false},
        // U+0080 and U+00FF have no code page 936 form: each becomes "?".
        {"characters without a code page 936 form", L"频道 \u0080\u00FF10000008-", L"10000008",
         true},
        {"a lone 0x80 in the ID itself", L"频道 \u20AC20-大厅", L"\u20AC20", true},
    };
    std::vector<std::wstring> arguments{L"--channel", L"11111111"};
    for (const TitleCase& titleCase : cases) {
        arguments.push_back(L"--extra-window");
        arguments.push_back(L"QWidget:" + titleCase.title);
    }
    auto standin = Standin::Start(arguments);
    ASSERT_NE(standin, nullptr);
    auto panel = KorrelinPanel::Start();
    ASSERT_NE(panel, nullptr);

    for (const TitleCase& titleCase : cases) {
        SCOPED_TRACE(titleCase.what);
        ASSERT_TRUE(panel->TypeInto(ControlId::编辑框1, titleCase.channelId));
        panel->Click(ControlId::按钮1);
        if (titleCase.found) {
            EXPECT_TRUE(panel->WaitForStatus(support::kRunningText));
            panel->Click(ControlId::按钮2);
            ASSERT_TRUE(panel->WaitForStatus(support::kStoppedText));
        } else {
            const HWND box = panel->WaitForMessageBox(support::kMessageCaptionText);
            ASSERT_NE(box, nullptr);
            EXPECT_TRUE(panel->CloseMessageBox(box));
            EXPECT_NE(panel->Text(ControlId::标签1), support::kRunningText);
        }
    }
}

// The edit boxes take text of any length: typing goes on past the 30,000 characters
// at which an edit box stops by default, and Start copes with a huge channel ID.
TEST(Faults, AHundredThousandCharactersInTheChannelIdBox) {
    auto standin = Standin::Start({});
    ASSERT_NE(standin, nullptr);
    auto panel = KorrelinPanel::Start();
    ASSERT_NE(panel, nullptr);
    const HWND box = panel->Control(ControlId::编辑框1);
    const auto digits = [](std::size_t count) {
        std::wstring text;
        for (std::size_t i = 0; i < count; ++i) text += static_cast<wchar_t>(L'0' + i % 10);
        return text;
    };
    // The length alone is polled: reading 100,000 characters again and again would
    // keep the panel's thread busy.
    const auto length = [&] {
        DWORD_PTR characters = 0;
        SendMessageTimeoutW(box, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kAnswerDeadlineMs,
                            &characters);
        return static_cast<std::size_t>(characters);
    };
    const auto typeAtEnd = [&](const std::wstring& typed, std::size_t lengthAfter) {
        ASSERT_TRUE(panel->TabTo(ControlId::编辑框1));
        support::PressKey(VK_END);
        support::TypeText(typed);
        ASSERT_TRUE(support::WaitUntil([&] { return length() == lengthAfter; }))
            << "the box holds " << length() << " characters";
        const std::wstring text = support::WindowText(box);
        ASSERT_EQ(text.size(), lengthAfter);
        EXPECT_EQ(text.substr(lengthAfter - typed.size()), typed);
    };

    // The text up to 30,000 characters and from 30,010 on arrives at once, as if
    // pasted; the characters in between are typed. (Wine's edit box takes seconds
    // for each key at 100,000 characters, so nothing is typed there.)
    std::wstring text = digits(29990);
    ASSERT_TRUE(SendToPanel(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())));
    typeAtEnd(L"abcdefghijklmnopqrst", 30010);
    text = digits(69990);
    ASSERT_TRUE(SendToPanel(box, EM_SETSEL, 30010, 30010));
    ASSERT_TRUE(SendToPanel(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str())));
    ASSERT_EQ(length(), 100000u);
    panel->Click(ControlId::按钮1);
    // Wine's edit box is slow with this much text: a deadline of its own.
    const HWND message =
        panel->WaitForMessageBox(support::kMessageCaptionText, std::chrono::seconds(90));
    ASSERT_NE(message, nullptr) << "no title holds 100,000 characters: Start must say so";
    EXPECT_TRUE(panel->CloseMessageBox(message));

    // The panel goes on as before: the right ID found, the menu handled.
    ASSERT_TRUE(panel->TypeInto(ControlId::编辑框1, L"77385929"));
    panel->Click(ControlId::按钮1);
    ASSERT_TRUE(panel->WaitForStatus(support::kRunningText));
    ExpectNextMenuIsHandled(*standin, 0);
}

TEST(Faults, TheLongestAndTheShortestPeriod) {
    {
        SCOPED_TRACE("2147483647 ms");
        auto standin = Standin::Start({});
        ASSERT_NE(standin, nullptr);
        auto panel = StartWatching(L"2147483647");
        ASSERT_NE(panel, nullptr);
        // The first tick is weeks away: a menu opened now stays untouched.
        EXPECT_TRUE(standin->PopupLeftAloneFor(0))
            << "the tool clicked a menu long before the period was over";
        EXPECT_EQ(AskStatus(*panel), support::kRunningText);
        panel->Click(ControlId::按钮2);
        EXPECT_TRUE(panel->WaitForStatus(support::kStoppedText));
    }
    {
        SCOPED_TRACE("1 ms");
        auto standin = Standin::Start({});
        ASSERT_NE(standin, nullptr);
        auto panel = StartWatching(L"1");
        ASSERT_NE(panel, nullptr);
        ExpectNextMenuIsHandled(*standin, 0);
        EXPECT_EQ(AskStatus(*panel), support::kRunningText);
        ExpectNextMenuIsHandled(*standin, 3);
        panel->Click(ControlId::按钮2);
        EXPECT_TRUE(panel->WaitForStatus(support::kStoppedText));
    }
}

}  // namespace
}  // namespace korrelin
