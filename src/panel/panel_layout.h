#pragma once
// What the panel looks like: its size and place, and its controls as data. The Win32
// panel creates the controls from this table; texts are code page 936 bytes.

#include <array>
#include <cstdint>
#include <string_view>

namespace korrelin {

inline constexpr char kPanelTitle[] = "Korrelin";
inline constexpr int kPanelWidth = 298;  // the whole window, border and title bar included
inline constexpr int kPanelHeight = 254;

enum class ControlKind { Label, EditBox, DropDownList, PushButton };

// Control identifiers, also used as the child window IDs.
enum class ControlId : int {
    标签2 = 101,
    编辑框1,
    标签3,
    编辑框2,
    标签4,
    组合框2,
    标签1,
    按钮1,
    按钮2,
    按钮3
};

struct ControlSpec {
    ControlId id;
    ControlKind kind;
    int x;  // client coordinates of the panel
    int y;
    int width;
    int height;
    std::string_view text;  // initial text or caption
};

// The drop-down list is created this high: its closed part and the dropped-down list
// together, enough to show all three items.
inline constexpr int kDropDownCreatedHeight = 160;

// clang-format off
inline constexpr std::array<ControlSpec, 10> kPanelControls = {{
    {ControlId::标签2,   ControlKind::Label,        8,   16,  80,  24,
     "\xCB\xF8\xB6\xA8\xC6\xB5\xB5\xC0\x49\x44\xA3\xBA"},  // 锁定频道ID：
    {ControlId::编辑框1, ControlKind::EditBox,      152, 16,  130, 20, "77385929"},
    {ControlId::标签3,   ControlKind::Label,        8,   47,  136, 24,
     "\xB6\xE0\xB3\xA4\xCA\xB1\xBC\xE4\xBC\xEC\xB2\xE2"
     "\xB2\xCB\xB5\xA5\xB4\xB0\xBF\xDA\xA3\xBA"},  // 多长时间检测菜单窗口：
    {ControlId::编辑框2, ControlKind::EditBox,      152, 47,  130, 20, "100"},
    {ControlId::标签4,   ControlKind::Label,        8,   77,  136, 24,
     "\xC4\xE3\xD2\xAA\xB8\xF8\xB6\xD4\xB7\xBD\xC9\xCF"
     "\xCA\xB2\xC3\xB4\xC2\xED\xBC\xD7\xA3\xBA"},  // 你要给对方上什么马甲：
    {ControlId::组合框2, ControlKind::DropDownList, 152, 77,  130, kDropDownCreatedHeight, ""},
    {ControlId::标签1,   ControlKind::Label,        10,  112, 268, 24,
     "\xD6\xBB\xBF\xC9\xD2\xD4\xBB\xC6\xC2\xED\xBC\xD7\xB8\xF8"
     "\xB0\xD7\xC2\xED\xBC\xD7\xB4\xA9\xC2\xED\xBC\xD7\x2E\x2E"},  // 只可以黄马甲给白马甲穿马甲..
    {ControlId::按钮1,   ControlKind::PushButton,   16,  153, 80,  32, "\xBF\xAA\xCA\xBC"},  // 开始
    {ControlId::按钮2,   ControlKind::PushButton,   104, 153, 80,  32, "\xCD\xA3\xD6\xB9"},  // 停止
    // One pixel higher than the other two buttons, as the panel always had it.
    {ControlId::按钮3,   ControlKind::PushButton,   192, 152, 80,  32,
     "\xB5\xCD\xBC\xDB\xBF\xAA\xD7\xEA"},  // 低价开钻
}};
// clang-format on

// The items of 组合框2, in this order; item 0 is selected at start. The index picks
// the submenu entry that the menu watcher clicks.
inline constexpr std::array<std::string_view, 3> kRoleItems = {
    "\xCC\xED\xBC\xD3\xCE\xAA\xC1\xD9\xCA\xB1\xBC\xCE\xB1\xF6",  // 添加为临时嘉宾
    "\xCC\xED\xBC\xD3\xCE\xAA\xBC\xCE\xB1\xF6",                  // 添加为嘉宾
    "\xCE\xFC\xC4\xC9\xCE\xAA\xBB\xE1\xD4\xB1",                  // 吸纳为会员
};

// Tab moves forward through this order and Shift+Tab backward, wrapping at the ends.
inline constexpr std::array<ControlId, 6> kKeyboardOrder = {
    ControlId::按钮1,   ControlId::编辑框1, ControlId::编辑框2,
    ControlId::组合框2, ControlId::按钮2,   ControlId::按钮3,
};

// The control that Tab (or Shift+Tab, backwards) moves the focus to from current.
// From a control outside the order (or none) it goes to the first (or last) one.
ControlId NextInKeyboardOrder(ControlId current, bool backwards);
bool IsInKeyboardOrder(ControlId id);

struct PanelPosition {
    int left;
    int top;
};

// Centred on a screen of the given size, each quotient rounded toward zero.
PanelPosition CentredPanelPosition(int screenWidth, int screenHeight);

}  // namespace korrelin
