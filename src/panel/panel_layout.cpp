#include "panel/panel_layout.h"

#include <algorithm>

namespace korrelin {

bool IsInKeyboardOrder(ControlId id) {
    return std::find(kKeyboardOrder.begin(), kKeyboardOrder.end(), id) != kKeyboardOrder.end();
}

ControlId NextInKeyboardOrder(ControlId current, bool backwards) {
    const auto count = static_cast<std::ptrdiff_t>(kKeyboardOrder.size());
    const auto found = std::find(kKeyboardOrder.begin(), kKeyboardOrder.end(), current);
    if (found == kKeyboardOrder.end())
        return backwards ? kKeyboardOrder.back() : kKeyboardOrder.front();
    const std::ptrdiff_t index = found - kKeyboardOrder.begin();
    const std::ptrdiff_t next = (index + (backwards ? count - 1 : 1)) % count;
    return kKeyboardOrder[static_cast<std::size_t>(next)];
}

PanelPosition CentredPanelPosition(int screenWidth, int screenHeight) {
    // C++ division truncates toward zero, also for a screen smaller than the panel.
    return {(screenWidth - kPanelWidth) / 2, (screenHeight - kPanelHeight) / 2};
}

}  // namespace korrelin
