#include "winauto/mouse_poster.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "fakes/fake_desktop.h"
#include "winauto/window_messages.h"

namespace korrelin {
namespace {

using Message = FakeDesktop::Message;

// A message without its window and lParam, for the table of button x action.
struct Posted {
    std::uint32_t message;
    std::uint32_t wParam;
    bool withScreenParam;  // lParam Q instead of P
};

constexpr Posted kMove{kWmMouseMove, 2, false};
constexpr Posted kLeftDown{kWmLButtonDown, 1, false};
constexpr Posted kLeftUp{kWmLButtonUp, 0, false};
constexpr Posted kLeftDouble{kWmLButtonDblClk, 0, false};
constexpr Posted kRightDown{kWmRButtonDown, 2, false};
constexpr Posted kRightUp{kWmRButtonUp, 2, false};
constexpr Posted kRightDouble{kWmRButtonDblClk, 0, false};
constexpr Posted kMiddleDown{kWmMButtonDown, 16, false};
constexpr Posted kMiddleUp{kWmMButtonUp, 0, false};
constexpr Posted kMiddleDouble{kWmMButtonDblClk, 0, false};
constexpr Posted kContextMenu{kWmContextMenu, 132782, true};
constexpr Posted kWheelUp{kWmMouseWheel, 0x00780010, true};
constexpr Posted kWheelDown{kWmMouseWheel, 0xFF880010, true};

// The messages of one button for the action codes 0, 1, 2, 3, 4 and for any other.
struct ButtonRow {
    std::vector<std::int32_t> buttonCodes;
    std::vector<Posted> click, doubleClick, press, release, otherAction;
};

TEST(PostMouseActionTest, PostsTheMessagesOfEveryButtonAndAction) {
    const std::vector<ButtonRow> rows = {
        {{0, MouseButton::Left},
         {kMove, kLeftDown, kLeftUp},
         {kMove, kLeftDown, kLeftUp, kLeftDouble},
         {kMove, kLeftDown},
         {kMove, kLeftUp},
         {kMove}},
        {{MouseButton::Right},
         {kMove, kRightDown, kRightUp, kContextMenu},
         {kMove, kRightDown, kRightUp, kRightDouble, kContextMenu},
         {kMove, kRightDown, kContextMenu},
         {kMove, kRightUp, kContextMenu},
         {kMove, kContextMenu}},
        {{MouseButton::Middle},
         {kMove, kMiddleDown, kMiddleUp},
         {kMove, kMiddleDown, kMiddleUp, kMiddleDouble},
         {kMove, kMiddleDown},
         {kMove, kMiddleUp},
         {kMove}},
        {{MouseButton::WheelUp}, {kWheelUp}, {kWheelUp}, {kWheelUp}, {kWheelUp}, {kWheelUp}},
        {{MouseButton::WheelDown},
         {kWheelDown},
         {kWheelDown},
         {kWheelDown},
         {kWheelDown},
         {kWheelDown}},
        {{6, -1, 100, INT32_MIN, INT32_MAX}, {kMove}, {kMove}, {kMove}, {kMove}, {kMove}},
    };
    const std::int32_t otherActions[] = {5, 7, -1, INT32_MIN, INT32_MAX};
    const std::int32_t x = 10;
    const std::int32_t y = 20;
    const std::uint32_t p = 0x0014000A;
    const std::uint32_t q = 0x01930253;

    for (const ButtonRow& row : rows) {
        std::vector<std::pair<std::optional<std::int32_t>, std::vector<Posted>>> actions = {
            {std::nullopt, row.click},       {0, row.click},
            {MouseAction::Click, row.click}, {MouseAction::DoubleClick, row.doubleClick},
            {MouseAction::Press, row.press}, {MouseAction::Release, row.release},
        };
        for (const std::int32_t other : otherActions) actions.push_back({other, row.otherAction});

        std::vector<std::optional<std::int32_t>> buttons(row.buttonCodes.begin(),
                                                         row.buttonCodes.end());
        if (row.buttonCodes.front() == 0) buttons.push_back(std::nullopt);
        for (const std::optional<std::int32_t>& button : buttons) {
            for (const auto& [action, posted] : actions) {
                SCOPED_TRACE("button " + (button ? std::to_string(*button) : "left out") +
                             ", action " + (action ? std::to_string(*action) : "left out"));
                FakeDesktop desktop;
                const WindowHandle window = desktop.AddWindow("QPopup", "");
                PostMouseAction(desktop, window, x, y, button, action);
                std::vector<Message> expected;
                for (const Posted& m : posted) {
                    expected.push_back({window, m.message, m.wParam, m.withScreenParam ? q : p});
                }
                EXPECT_EQ(desktop.PostedMessages(), expected);
            }
        }
    }
}

TEST(PostMouseActionTest, ALeftClickAt40And200) {
    FakeDesktop desktop;
    const WindowHandle popup = desktop.AddWindow("QPopup", "", {0, 0, 200, 408});
    PostMouseAction(desktop, popup, 40, 200);
    const std::vector<Message> expected = {{popup, kWmMouseMove, 2, 13107240},
                                           {popup, kWmLButtonDown, 1, 13107240},
                                           {popup, kWmLButtonUp, 0, 13107240}};
    EXPECT_EQ(desktop.PostedMessages(), expected);
}

struct PointCase {
    const char* name;
    std::optional<std::int32_t> x;
    std::optional<std::int32_t> y;
    std::uint32_t p;
    std::uint32_t q;
};

TEST(PostMouseActionTest, PacksThePointModulo2To32) {
    const std::vector<PointCase> cases = {
        {"x and y left out", std::nullopt, std::nullopt, 0x00020002, 0x0181024B},
        {"x left out", std::nullopt, 0, 0x00000002, 0x017F024B},
        {"y left out", 0, std::nullopt, 0x00020000, 0x01810249},
        {"given zeros stay zeros", 0, 0, 0, 25100873},
        {"usual packing", 65535, 65535, 0xFFFFFFFF, 0x017F0248},
        {"x -1 borrows from y", -1, 0, 0xFFFFFFFF, 0x017F0248},
        {"x 65536 carries into y", 65536, 0, 65536, 0x01800249},
        {"x 0, y 1", 0, 1, 65536, 0x01800249},
        {"low word carry into Q's high word", 0xFE00, 0, 0x0000FE00, 0x01800049},
        {"y wraps", 0, 65536, 0, 0x017F0249},
        {"negative y", 0, -1, 0xFFFF0000, 0x017E0249},
        {"INT32_MIN, INT32_MIN", INT32_MIN, INT32_MIN, 0x80000000, 0x817F0249},
        {"INT32_MAX, INT32_MAX", INT32_MAX, INT32_MAX, 0x7FFEFFFF, 0x817E0248},
        {"INT32_MIN, INT32_MAX", INT32_MIN, INT32_MAX, 0x7FFF0000, 0x817E0249},
        {"INT32_MAX, INT32_MIN", INT32_MAX, INT32_MIN, 0x7FFFFFFF, 0x817F0248},
        {"-1, -1", -1, -1, 0xFFFEFFFF, 0x017E0248},
    };
    for (const PointCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakeDesktop desktop;
        const WindowHandle window = desktop.AddWindow("QPopup", "");
        PostMouseAction(desktop, window, c.x, c.y, MouseButton::Right, MouseAction::Press);
        const std::vector<Message> expected = {{window, kWmMouseMove, 2, c.p},
                                               {window, kWmRButtonDown, 2, c.p},
                                               {window, kWmContextMenu, 132782, c.q}};
        EXPECT_EQ(desktop.PostedMessages(), expected);

        FakeDesktop wheel;
        const WindowHandle target = wheel.AddWindow("QPopup", "");
        PostMouseAction(wheel, target, c.x, c.y, MouseButton::WheelDown);
        EXPECT_EQ(wheel.PostedMessages(),
                  (std::vector<Message>{{target, kWmMouseWheel, 0xFF880010, c.q}}));
    }
}

TEST(PostMouseActionTest, WindowZeroOrLeftOutMeansTheDesktopWindow) {
    for (const std::optional<WindowHandle> window :
         {std::optional<WindowHandle>(0), std::optional<WindowHandle>()}) {
        FakeDesktop desktop;
        desktop.AddWindow("QPopup", "");
        PostMouseAction(desktop, window, 1, 1, MouseButton::Right);
        const std::vector<Message> posted = desktop.PostedMessages();
        ASSERT_EQ(posted.size(), 4u);
        for (const Message& m : posted) EXPECT_EQ(m.window, FakeDesktop::kDesktopWindow);
    }
    // Every argument left out: a left click at (2, 2) on the desktop window.
    FakeDesktop desktop;
    PostMouseAction(desktop, std::nullopt);
    const std::vector<Message> expected = {
        {FakeDesktop::kDesktopWindow, kWmMouseMove, 2, 0x00020002},
        {FakeDesktop::kDesktopWindow, kWmLButtonDown, 1, 0x00020002},
        {FakeDesktop::kDesktopWindow, kWmLButtonUp, 0, 0x00020002}};
    EXPECT_EQ(desktop.PostedMessages(), expected);
}

TEST(PostMouseActionTest, CarriesOnWhenPostsFail) {
    FakeDesktop desktop;
    const WindowHandle gone = 0x4444;  // names no window: every post fails
    PostMouseAction(desktop, gone, 10, 20, MouseButton::Right);
    ASSERT_EQ(desktop.PostLog().size(), 4u);
    for (const FakeDesktop::PostRecord& record : desktop.PostLog()) {
        EXPECT_FALSE(record.accepted);
        EXPECT_EQ(record.message.window, gone);
    }
}

}  // namespace
}  // namespace korrelin
