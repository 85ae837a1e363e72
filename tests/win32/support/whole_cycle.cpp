#include "support/whole_cycle.h"

#include <vector>

#include "support/standin.h"

namespace korrelin::support {
namespace {

constexpr std::uint32_t kLeftButtonDown = 0x0201;

std::optional<std::uint64_t> FirstLeftButtonDown(const std::vector<StandinLogRecord>& records,
                                                 const std::string& window) {
    for (const StandinLogRecord& record : records) {
        if (record.window == window && record.message == kLeftButtonDown) return record.timeMs;
    }
    return std::nullopt;
}

WholeCycleResult Failed(const std::string& what, const std::vector<StandinLogRecord>& seen) {
    return {std::nullopt, what + "; the log since the cycle began:\n" + DescribeRecords(seen)};
}

}  // namespace

WholeCycleResult RunWholeCycle(HWND channel, int member, StandinLogTail& log,
                               std::chrono::milliseconds timeout) {
    std::vector<StandinLogRecord> seen;
    const auto opened = [member](const StandinLogRecord& record) {
        return record.event == "popup-opened" && record.Number("member") == member;
    };
    if (!PostMessageW(channel, kStandinOpenPopupMessage, static_cast<WPARAM>(member), 0)) {
        return Failed("cannot post to the stand-in's channel window", seen);
    }
    const auto popup = log.WaitFor(opened, timeout, &seen);
    if (!popup) return Failed("the pop-up did not open", seen);
    seen.clear();
    const auto applied = log.WaitFor(IsEvent("role-applied"), timeout, &seen);
    if (!applied) return Failed("no role was applied", seen);
    if (applied->Number("member") != static_cast<std::uint32_t>(member)) {
        seen.push_back(*applied);
        return Failed("the role went to another member", seen);
    }
    const auto closed = log.WaitFor(IsEvent("menus-closed"), timeout, &seen);
    if (!closed) return Failed("the menus did not close", seen);

    const auto popupClick = FirstLeftButtonDown(seen, "popup");
    const auto submenuClick = FirstLeftButtonDown(seen, "submenu");
    if (!popupClick || !submenuClick) return Failed("a click is missing from the log", seen);
    WholeCycleTimes times;
    times.popupOpenedMs = popup->timeMs;
    times.firstPopupClickMs = *popupClick;
    times.submenuClickMs = *submenuClick;
    times.menusClosedMs = closed->timeMs;
    times.role = static_cast<int>(applied->Number("role").value_or(0xFFFFFFFFu));
    return {times, {}};
}

}  // namespace korrelin::support
