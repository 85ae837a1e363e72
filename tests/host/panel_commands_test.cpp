#include "panel/panel_commands.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "build_config.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_panel.h"
#include "panel/panel_app.h"
#include "panel/panel_texts.h"

namespace korrelin {
namespace {

constexpr char kHint[] = "\xD6\xBB\xBF\xC9\xD2\xD4";     // 只可以 (the start of the hint)
constexpr char kRunning[] = "\xD4\xCB\xD0\xD0\xD6\xD0";  // 运行中
constexpr char kStopped[] = "\xCD\xA3\xD6\xB9\xD4\xCB\xD7\xF7";  // 停止运作
constexpr char kInfo[] = "\xD0\xC5\xCF\xA2\xA3\xBA";             // 信息：
constexpr char kNoChannel[] =
    "\xC3\xBB\xD3\xD0\xD5\xD2\xB5\xBD\xD5\xE2\xB8\xF6\xC6\xB5\xB5\xC0";  // 没有找到这个频道
constexpr char kBadPeriod[] =
    "\xBC\xEC\xB2\xE2\xCA\xB1\xBC\xE4\xB1\xD8\xD0\xEB\xCA\xC7\xB4\xF3\xD3\xDA"
    "0"
    "\xB5\xC4\xBA\xC1\xC3\xEB\xCA\xFD";  // 检测时间必须是大于0的毫秒数

class PanelCommandsTest : public testing::Test {
  protected:
    PanelCommandsTest() { panel.statusCaption = kHint; }

    FakeDesktop desktop;
    FakePanel panel{[this] { return desktop.NowMs(); }};
    PanelApp app{desktop, panel, panel};
};

struct StartCase {
    const char* name;
    std::vector<std::string> channelTitles;  // "QWidget" windows on the desktop
    std::optional<std::string> channelBox;
    std::optional<std::string> periodBox;
    std::optional<std::string> message;  // the message box, if one is shown
    std::int32_t period;
};

class StartTest : public PanelCommandsTest, public testing::WithParamInterface<StartCase> {};

TEST_P(StartTest, ArmsTheWatcherOnlyForAShownChannelAndAPositivePeriod) {
    const StartCase& c = GetParam();
    desktop.AddWindow("QPopup", "77385929-Menu");  // another class never counts
    for (const std::string& title : c.channelTitles) desktop.AddWindow("QWidget", title);
    panel.channelBox = c.channelBox;
    panel.periodBox = c.periodBox;

    app.OnStartClicked();

    EXPECT_EQ(panel.CurrentPeriod(), c.period);
    EXPECT_EQ(app.watcher().switchedOn, c.period > 0);
    if (c.message) {
        ASSERT_EQ(panel.MessageBoxes().size(), 1u);
        EXPECT_EQ(panel.MessageBoxes()[0].text, *c.message);
        EXPECT_EQ(panel.MessageBoxes()[0].caption, kInfo);
        EXPECT_EQ(panel.MessageBoxes()[0].periodWhenShown, 0);
        EXPECT_EQ(panel.statusCaption, std::optional<std::string>(kHint));
        EXPECT_TRUE(panel.CaptionWrites().empty());
    } else {
        EXPECT_TRUE(panel.MessageBoxes().empty());
        EXPECT_EQ(panel.statusCaption, std::optional<std::string>(kRunning));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartTest,
    testing::Values(
        StartCase{"channel_shown", {"Lobby", "77385929-Main"}, "77385929", "100", {}, 100},
        StartCase{"period_with_trailing_text", {"77385929-Main"}, "77385929", "250ms", {}, 250},
        StartCase{
            "no_channel_window", {"Lobby", "77385929 Main"}, "77385929", "100", kNoChannel, 0},
        StartCase{"no_window_at_all", {}, "77385929", "100", kNoChannel, 0},
        StartCase{"period_zero", {"77385929-Main"}, "77385929", "0", kBadPeriod, 0},
        StartCase{"period_letters", {"77385929-Main"}, "77385929", "abc", kBadPeriod, 0},
        StartCase{"period_negative", {"77385929-Main"}, "77385929", "-5", kBadPeriod, 0},
        StartCase{"period_empty", {"77385929-Main"}, "77385929", std::nullopt, kBadPeriod, 0},
        StartCase{"empty_id_finds_any_hyphen", {"Lobby", "a-b"}, std::nullopt, "100", {}, 100},
        StartCase{"empty_id_needs_a_hyphen", {"Lobby"}, std::nullopt, "100", kNoChannel, 0},
        StartCase{"id_letters_match_any_case", {"room abc-main"}, "AbC", "100", {}, 100}),
    [](const testing::TestParamInfo<StartCase>& info) { return std::string(info.param.name); });

TEST_F(PanelCommandsTest, StartAgainWithTheSamePeriodKeepsTheCountdown) {
    desktop.AddWindow("QWidget", "77385929-Main");
    app.OnStartClicked();
    desktop.AdvanceClock(40);

    app.OnStartClicked();

    EXPECT_EQ(panel.CountdownStartMs(), std::optional<std::uint64_t>(0));
    EXPECT_EQ(panel.CaptionWrites().size(), 2u);
}

TEST_F(PanelCommandsTest, StartWithoutTheChannelStopsARunningWatcherAndKeepsTheLabel) {
    const WindowHandle channel = desktop.AddWindow("QWidget", "77385929-Main");
    app.OnStartClicked();
    desktop.RemoveWindow(channel);

    app.OnStartClicked();

    EXPECT_EQ(panel.CurrentPeriod(), 0);
    EXPECT_FALSE(app.watcher().switchedOn);
    EXPECT_EQ(panel.statusCaption, std::optional<std::string>(kRunning));
    ASSERT_EQ(panel.MessageBoxes().size(), 1u);
    EXPECT_EQ(panel.MessageBoxes()[0].periodWhenShown, 0);
}

TEST_F(PanelCommandsTest, StopStopsTheWatcherEachTime) {
    desktop.AddWindow("QWidget", "77385929-Main");
    app.OnStartClicked();

    app.OnStopClicked();
    app.OnStopClicked();

    EXPECT_EQ(panel.PeriodWrites(), (std::vector<std::int32_t>{100, 0, 0}));
    EXPECT_EQ(panel.CaptionWrites(),
              (std::vector<std::optional<std::string>>{kRunning, kStopped, kStopped}));
    EXPECT_FALSE(app.watcher().switchedOn);
    EXPECT_TRUE(panel.MessageBoxes().empty());
}

TEST_F(PanelCommandsTest, WebPageOpensTheConfiguredHttpAddress) {
    app.OnWebPageClicked();

    ASSERT_EQ(panel.OpenedAddresses(), std::vector<std::string>{kWebAddress});
    const std::string_view address = kWebAddress;
    EXPECT_EQ(address.substr(0, 7), "http://");
    EXPECT_EQ(address.find('/', 7), address.size() - 1) << "the path is \"/\"";
    EXPECT_EQ(panel.CurrentPeriod(), 0);
    EXPECT_TRUE(panel.CaptionWrites().empty());
}

// The fixed texts are code page 936 bytes written as escapes: compare each with what
// the system's converter makes of the Chinese.
std::string ToCodePage936(const std::string& utf8) {
    const iconv_t converter = iconv_open("GBK", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) return "(no GBK converter)";
    std::string input = utf8;
    std::string output(utf8.size() * 2, '\0');
    char* in = input.data();
    char* out = output.data();
    std::size_t inLeft = input.size();
    std::size_t outLeft = output.size();
    const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1)) return "(not convertible)";
    output.resize(output.size() - outLeft);
    return output;
}

TEST(PanelTextsTest, FixedTextsAreTheCodePage936BytesOfTheirChinese) {
    struct Case {
        std::string_view bytes;
        const char* utf8;
    };
    for (const Case& c : {Case{kPopupTitle, "菜单"}, Case{kStatusRunning, "运行中"},
                          Case{kStatusStopped, "停止运作"}, Case{kMessageCaption, "信息："},
                          Case{kChannelNotFound, "没有找到这个频道"},
                          Case{kPeriodNotPositive, "检测时间必须是大于0的毫秒数"}}) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(std::string(c.bytes), ToCodePage936(c.utf8));
    }
}

}  // namespace
}  // namespace korrelin
