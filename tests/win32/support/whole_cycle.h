#pragma once
// One whole cycle of the tool against the stand-in, as long runs repeat it: the
// stand-in opens the member's pop-up (its test message), the armed tool clicks
// through to the role, and the stand-in applies the role and closes both menus.
// The times come from the stand-in's log, on its clock.

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "support/standin_log_tail.h"
#include "support/waiting.h"

namespace korrelin::support {

struct WholeCycleTimes {
    std::uint64_t popupOpenedMs = 0;
    std::uint64_t firstPopupClickMs = 0;  // the first WM_LBUTTONDOWN on the pop-up
    std::uint64_t submenuClickMs = 0;     // the WM_LBUTTONDOWN on the role's entry
    std::uint64_t menusClosedMs = 0;
    int role = -1;  // as the stand-in applied it
};

struct WholeCycleResult {
    std::optional<WholeCycleTimes> times;  // none when the cycle did not complete
    std::string failure;                   // why, with the records seen
};

// Posts the test message that opens the pop-up for the member to the stand-in's
// channel window and follows the log until both menus have closed again.
WholeCycleResult RunWholeCycle(HWND channel, int member, StandinLogTail& log,
                               std::chrono::milliseconds timeout = kGenerousTimeout);

}  // namespace korrelin::support
