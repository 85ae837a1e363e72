#include "standin/standin_options.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace korrelin {
namespace {

struct OptionsCase {
    const char* name;
    std::vector<std::wstring> arguments;
    std::function<void(const StandinOptions&)> check;
};

class StandinOptionsTest : public testing::TestWithParam<OptionsCase> {};

TEST_P(StandinOptionsTest, ReadsTheCommandLine) {
    const StandinParseResult result = ParseStandinOptions(GetParam().arguments);
    ASSERT_EQ(result.error, L"");
    GetParam().check(result.options);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StandinOptionsTest,
    testing::Values(
        OptionsCase{"defaults",
                    {},
                    [](const StandinOptions& o) {
                        EXPECT_EQ(ChannelWindowTitle(o), L"频道 77385929-大厅");
                        EXPECT_EQ(o.submenuSize.width, 156);
                        EXPECT_EQ(o.submenuSize.height, 84);
                        EXPECT_EQ(o.popupHeight, 408);
                        EXPECT_EQ(o.submenuAfterClicks, 1);
                        EXPECT_FALSE(o.noSubmenu || o.openPopup || o.showHelp);
                        EXPECT_FALSE(o.position || o.logPath);
                        EXPECT_TRUE(o.extraWindows.empty());
                    }},
        OptionsCase{
            "channel_and_title",
            {L"--channel", L"123", L"--title", L"Room 7"},
            [](const StandinOptions& o) { EXPECT_EQ(ChannelWindowTitle(o), L"频道 123-Room 7"); }},
        OptionsCase{"second_submenu_form",
                    {L"--submenu-size", L"120x106"},
                    [](const StandinOptions& o) {
                        EXPECT_EQ(o.submenuSize.width, 120);
                        EXPECT_EQ(o.submenuSize.height, 106);
                    }},
        OptionsCase{"capital_x_in_size",
                    {L"--submenu-size", L"155X84"},
                    [](const StandinOptions& o) { EXPECT_EQ(o.submenuSize.width, 155); }},
        OptionsCase{"negative_position",
                    {L"--position", L"-50,-20"},
                    [](const StandinOptions& o) {
                        ASSERT_TRUE(o.position);
                        EXPECT_EQ(o.position->x, -50);
                        EXPECT_EQ(o.position->y, -20);
                    }},
        OptionsCase{
            "timing",
            {L"--submenu-delay", L"250", L"--submenu-after-clicks", L"3", L"--hang-ms", L"0"},
            [](const StandinOptions& o) {
                EXPECT_EQ(o.submenuDelayMs, 250u);
                EXPECT_EQ(o.submenuAfterClicks, 3);
                EXPECT_EQ(o.hangMs, 0u);
            }},
        OptionsCase{
            "flags_and_member",
            {L"--open-popup", L"--member", L"3", L"--no-submenu", L"--popup-height", L"407"},
            [](const StandinOptions& o) {
                EXPECT_TRUE(o.openPopup && o.noSubmenu);
                EXPECT_EQ(o.member, 3);
                EXPECT_EQ(o.popupHeight, 407);
            }},
        OptionsCase{"extra_windows_in_order",
                    {L"--extra-window", L"QWidget:Lobby", L"--extra-window", L"QDialog:a:b"},
                    [](const StandinOptions& o) {
                        ASSERT_EQ(o.extraWindows.size(), 2u);
                        EXPECT_EQ(o.extraWindows[0].className, L"QWidget");
                        EXPECT_EQ(o.extraWindows[0].title, L"Lobby");
                        EXPECT_EQ(o.extraWindows[1].className, L"QDialog");
                        EXPECT_EQ(o.extraWindows[1].title, L"a:b");
                    }},
        OptionsCase{"later_value_wins",
                    {L"--channel", L"1", L"--channel", L"2"},
                    [](const StandinOptions& o) { EXPECT_EQ(o.channelId, L"2"); }},
        OptionsCase{"log_file",
                    {L"--log", L"C:\\temp\\a b.log"},
                    [](const StandinOptions& o) {
                        EXPECT_EQ(o.logPath.value_or(L""), L"C:\\temp\\a b.log");
                    }},
        OptionsCase{"help", {L"--help"}, [](const StandinOptions& o) { EXPECT_TRUE(o.showHelp); }},
        OptionsCase{"slash_question_mark",
                    {L"/?"},
                    [](const StandinOptions& o) { EXPECT_TRUE(o.showHelp); }}),
    [](const testing::TestParamInfo<OptionsCase>& info) { return std::string(info.param.name); });

struct RejectedCase {
    const char* name;
    std::vector<std::wstring> arguments;
    std::wstring errorMentions;
};

class StandinOptionsRejectTest : public testing::TestWithParam<RejectedCase> {};

TEST_P(StandinOptionsRejectTest, SaysWhatIsWrong) {
    const StandinParseResult result = ParseStandinOptions(GetParam().arguments);
    EXPECT_NE(result.error.find(GetParam().errorMentions), std::wstring::npos) << result.error;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StandinOptionsRejectTest,
    testing::Values(
        RejectedCase{"unknown_option", {L"--colour", L"red"}, L"--colour"},
        RejectedCase{"bare_word", {L"77385929"}, L"77385929"},
        RejectedCase{"missing_value", {L"--channel"}, L"--channel needs a value"},
        RejectedCase{"size_without_x", {L"--submenu-size", L"156*84"}, L"156*84"},
        RejectedCase{"size_part_missing", {L"--submenu-size", L"156x"}, L"156x"},
        RejectedCase{"size_zero", {L"--submenu-size", L"0x84"}, L"0x84"},
        RejectedCase{"size_negative", {L"--submenu-size", L"-1x84"}, L"-1x84"},
        RejectedCase{"position_separator", {L"--position", L"1;2"}, L"1;2"},
        RejectedCase{"position_too_large", {L"--position", L"3000000000,0"}, L"3000000000,0"},
        RejectedCase{"popup_height_zero", {L"--popup-height", L"0"}, L"--popup-height"},
        RejectedCase{"delay_negative", {L"--submenu-delay", L"-5"}, L"--submenu-delay"},
        RejectedCase{"delay_with_unit", {L"--submenu-delay", L"5ms"}, L"5ms"},
        RejectedCase{"clicks_zero", {L"--submenu-after-clicks", L"0"}, L"--submenu-after-clicks"},
        RejectedCase{"member_past_the_last", {L"--member", L"4"}, L"--member"},
        RejectedCase{"extra_without_colon", {L"--extra-window", L"QWidget"}, L"CLASS:TITLE"},
        RejectedCase{"extra_without_class", {L"--extra-window", L":Lobby"}, L"CLASS:TITLE"},
        RejectedCase{"empty_log_name", {L"--log", L""}, L"--log"},
        RejectedCase{
            "error_after_good_options", {L"--channel", L"1", L"--hang-ms", L"x"}, L"--hang-ms"}),
    [](const testing::TestParamInfo<RejectedCase>& info) { return std::string(info.param.name); });

TEST(StandinHelpText, NamesEveryOption) {
    const std::wstring help = StandinHelpText();
    for (const wchar_t* option :
         {L"--channel ID", L"--title TEXT", L"--submenu-size WxH", L"--submenu-delay MS",
          L"--submenu-after-clicks N", L"--no-submenu", L"--popup-height H", L"--open-popup",
          L"--member N", L"--extra-window CLASS:TITLE", L"--log FILE", L"--position X,Y",
          L"--hang-ms MS", L"--help"}) {
        EXPECT_NE(help.find(option), std::wstring::npos)
            << "missing: " << testing::PrintToString(std::wstring(option));
    }
}

}  // namespace
}  // namespace korrelin
