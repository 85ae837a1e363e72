#pragma once
// The fixed texts of the tool, as code page 936 bytes. The Win32 layer converts them
// to UTF-16 at the boundary; portable code compares and passes them as bytes.

#include <string_view>

namespace korrelin {

// What the tool looks for in the chat client.
inline constexpr std::string_view kChannelWindowClass = "QWidget";
inline constexpr std::string_view kChannelIdEnd = "-";  // a channel window's title holds "<id>-"
inline constexpr std::string_view kPopupClass = "QPopup";
inline constexpr std::string_view kPopupTitle = "\xB2\xCB\xB5\xA5";  // 菜单

// Captions of 标签1.
inline constexpr std::string_view kStatusRunning = "\xD4\xCB\xD0\xD0\xD6\xD0";          // 运行中
inline constexpr std::string_view kStatusStopped = "\xCD\xA3\xD6\xB9\xD4\xCB\xD7\xF7";  // 停止运作

// Start's message boxes.
inline constexpr std::string_view kMessageCaption = "\xD0\xC5\xCF\xA2\xA3\xBA";  // 信息：
inline constexpr std::string_view kChannelNotFound =
    "\xC3\xBB\xD3\xD0\xD5\xD2\xB5\xBD\xD5\xE2\xB8\xF6\xC6\xB5\xB5\xC0";  // 没有找到这个频道
// The "0" stands apart so that it is not read as part of the hex escape before it.
inline constexpr std::string_view kPeriodNotPositive =
    "\xBC\xEC\xB2\xE2\xCA\xB1\xBC\xE4\xB1\xD8\xD0\xEB\xCA\xC7\xB4\xF3\xD3\xDA"
    "0"
    "\xB5\xC4\xBA\xC1\xC3\xEB\xCA\xFD";  // 检测时间必须是大于0的毫秒数

}  // namespace korrelin
