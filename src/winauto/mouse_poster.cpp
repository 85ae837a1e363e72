#include "winauto/mouse_poster.h"

#include "winauto/window_messages.h"

namespace korrelin {

namespace {

// A coordinate left out is 2.
constexpr std::int32_t kDefaultCoordinate = 2;

// The mouse move says the right button is down, whatever the button.
constexpr std::uint32_t kMouseMoveParam = 0x0002;
// Wheel messages: a delta of +120 or -120 in the high word, the middle-button flag in
// the low word.
constexpr std::uint32_t kWheelUpParam = 0x00780010;
constexpr std::uint32_t kWheelDownParam = 0xFF880010;
constexpr std::uint32_t kContextMenuParam = 0x000206AE;
constexpr std::uint32_t kScreenOffset = 0x017F0249;

struct ButtonMessages {
    std::uint32_t down;
    std::uint32_t downParam;
    std::uint32_t up;
    std::uint32_t upParam;
    std::uint32_t doubleClick;
};

constexpr ButtonMessages kLeftButton{kWmLButtonDown, 0x0001, kWmLButtonUp, 0, kWmLButtonDblClk};
constexpr ButtonMessages kRightButton{kWmRButtonDown, 0x0002, kWmRButtonUp, 0x0002,
                                      kWmRButtonDblClk};
constexpr ButtonMessages kMiddleButton{kWmMButtonDown, 0x0010, kWmMButtonUp, 0, kWmMButtonDblClk};

const ButtonMessages* MessagesOfButton(std::int32_t button) {
    switch (button) {
        case 0:
        case MouseButton::Left:
            return &kLeftButton;
        case MouseButton::Right:
            return &kRightButton;
        case MouseButton::Middle:
            return &kMiddleButton;
        default:
            return nullptr;
    }
}

void PostButtonMessages(SystemWindows& system, WindowHandle window, const ButtonMessages& button,
                        std::int32_t action, std::uint32_t point) {
    const bool press = action == 0 || action == MouseAction::Click ||
                       action == MouseAction::DoubleClick || action == MouseAction::Press;
    const bool release = action == 0 || action == MouseAction::Click ||
                         action == MouseAction::DoubleClick || action == MouseAction::Release;
    if (press) system.PostMessageA(window, button.down, button.downParam, point);
    if (release) system.PostMessageA(window, button.up, button.upParam, point);
    if (action == MouseAction::DoubleClick)
        system.PostMessageA(window, button.doubleClick, 0, point);
}

}  // namespace

std::uint32_t MousePointParam(std::int32_t x, std::int32_t y) {
    // Unsigned arithmetic is exact modulo 2^32 for every pair, with no overflow.
    return static_cast<std::uint32_t>(x) + 65536u * static_cast<std::uint32_t>(y);
}

std::uint32_t MouseScreenParam(std::int32_t x, std::int32_t y) {
    return MousePointParam(x, y) + kScreenOffset;
}

void PostMouseAction(SystemWindows& system, std::optional<WindowHandle> window,
                     std::optional<std::int32_t> x, std::optional<std::int32_t> y,
                     std::optional<std::int32_t> button, std::optional<std::int32_t> action) {
    WindowHandle target = window.value_or(0);
    if (target == 0) target = system.GetDesktopWindow();
    const std::int32_t pointX = x.value_or(kDefaultCoordinate);
    const std::int32_t pointY = y.value_or(kDefaultCoordinate);
    const std::uint32_t point = MousePointParam(pointX, pointY);
    const std::uint32_t screen = MouseScreenParam(pointX, pointY);
    const std::int32_t buttonCode = button.value_or(0);

    if (buttonCode == MouseButton::WheelUp) {
        system.PostMessageA(target, kWmMouseWheel, kWheelUpParam, screen);
        return;
    }
    if (buttonCode == MouseButton::WheelDown) {
        system.PostMessageA(target, kWmMouseWheel, kWheelDownParam, screen);
        return;
    }
    system.PostMessageA(target, kWmMouseMove, kMouseMoveParam, point);
    const ButtonMessages* messages = MessagesOfButton(buttonCode);
    if (messages == nullptr) return;
    PostButtonMessages(system, target, *messages, action.value_or(0), point);
    // The right button also asks for the context menu, even when no button message went.
    if (buttonCode == MouseButton::Right) {
        system.PostMessageA(target, kWmContextMenu, kContextMenuParam, screen);
    }
}

}  // namespace korrelin
