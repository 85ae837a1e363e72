#pragma once
// Imitates a mouse action on another program's window by posting it the messages it
// would receive: a mouse move and button messages, or one wheel message. The real
// cursor never moves, no window is brought to the front, nothing waits.

#include <cstdint>
#include <optional>

#include "winauto/system_windows.h"

namespace korrelin {

// Button codes; 0 (or left out) is the left button, any code not listed posts only
// the mouse move.
struct MouseButton {
    enum : std::int32_t { Left = 1, Right = 2, Middle = 3, WheelUp = 4, WheelDown = 5 };
};

// Action codes; 0 (or left out) is a click, any code not listed posts no button
// message (the right button's context-menu request still follows).
struct MouseAction {
    enum : std::int32_t { Click = 1, DoubleClick = 2, Press = 3, Release = 4 };
};

// The lParam of the mouse move and the button messages: x + 65536 * y modulo 2^32.
std::uint32_t MousePointParam(std::int32_t x, std::int32_t y);
// The lParam of the wheel and context-menu messages: the point parameter plus
// 0x017F0249 modulo 2^32 (585 on the low word, 383 on the high word, with carry).
std::uint32_t MouseScreenParam(std::int32_t x, std::int32_t y);

// Posts the messages of the action to the window. Window 0 (given or left out) is the
// desktop window; a left-out x or y is 2, a given 0 stays 0; button and action left
// out are 0. Failed posts are not noticed.
void PostMouseAction(SystemWindows& system, std::optional<WindowHandle> window,
                     std::optional<std::int32_t> x = std::nullopt,
                     std::optional<std::int32_t> y = std::nullopt,
                     std::optional<std::int32_t> button = std::nullopt,
                     std::optional<std::int32_t> action = std::nullopt);

}  // namespace korrelin
