#pragma once
// The lines of the stand-in's log. Portable, so the format is checked natively.
//
// One record per line, ending in "\n": fields "key=value" separated by one space,
// keys and values in ASCII without spaces, "t" always first. Two kinds:
//
//   t=1234 window=popup msg=0x0201 wparam=0x00000001 lparam=0x00C80028
//       a message that a window received: window is channel, popup, submenu or
//       extra; msg is the message number in 4 hex digits; wparam and lparam are the
//       low 32 bits of the parameters exactly as they arrived, in 8 hex digits.
//   t=1240 event=popup-opened member=0 hwnd=0x000200A4
//       something the stand-in did; the fields after event depend on the event:
//         ready channel=HWND pid=N    every window exists (logged once, at start)
//         popup-opened member=N hwnd=HWND
//         submenu-opened hwnd=HWND
//         role-applied member=N role=K (K: 0 临时嘉宾, 1 嘉宾, 2 会员)
//         menus-closed
//         hang-started ms=N / hang-ended
//         mark id=N                   the test message asked for it
//
// t is milliseconds since the stand-in started; members are counted from 0;
// window handles are 8 hex digits. Hex digits are upper case, after "0x".

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace korrelin {

struct StandinLogField {
    std::string_view key;
    std::string value;
};

std::string FormatMessageLine(std::uint64_t timeMs, std::string_view window, std::uint32_t message,
                              std::uint32_t wParam, std::uint32_t lParam);

std::string FormatEventLine(std::uint64_t timeMs, std::string_view event,
                            std::initializer_list<StandinLogField> fields = {});

// "0x" and 8 upper-case hex digits.
std::string HexField(std::uint32_t value);

}  // namespace korrelin
