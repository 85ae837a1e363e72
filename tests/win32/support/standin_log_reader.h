#pragma once
// Reading the log of korrelin-standin.exe while it runs. The log has one record a
// line, "key=value" fields separated by spaces, "t" (milliseconds) first:
//   t=1234 window=popup msg=0x0201 wparam=0x00000001 lparam=0x00C80028
//   t=1240 event=popup-opened member=0 hwnd=0x000200A4
// (the stand-in's own description is in tools/standin/standin_log.h).

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/waiting.h"

namespace korrelin::support {

struct StandinLogRecord {
    std::uint64_t timeMs = 0;
    // A message that a window of the stand-in received: window is channel, popup,
    // submenu or extra. Empty for events.
    std::string window;
    std::uint32_t message = 0;
    std::uint32_t wParam = 0;
    std::uint32_t lParam = 0;
    // An event's name (ready, popup-opened, ...); empty for messages.
    std::string event;
    // The fields after "event": member, role, hwnd, id, ...
    std::map<std::string, std::string> fields;
    std::string line;  // as logged, for messages about failures

    bool IsMessage() const { return !window.empty(); }
    // A field read as a number, decimal or "0x" hex; none when absent or no number.
    std::optional<std::uint32_t> Number(const std::string& key) const;
};

// One line without its line end; none for a line that is not a record.
std::optional<StandinLogRecord> ParseStandinLogLine(std::string_view line);

// The records' lines, one a line, for messages about failures.
std::string DescribeRecords(const std::vector<StandinLogRecord>& records);

using StandinLogPredicate = std::function<bool(const StandinLogRecord&)>;

// Matches the event of that name.
StandinLogPredicate IsEvent(std::string event);
// Matches the messages that the window (channel, popup, submenu, extra) received.
StandinLogPredicate IsMessageTo(std::string window);

class StandinLogReader {
  public:
    explicit StandinLogReader(std::wstring path) : path_(std::move(path)) {}

    const std::wstring& path() const { return path_; }
    // Every whole line written so far, in order; a line still being written is left
    // for the next call.
    std::vector<StandinLogRecord> ReadRecords() const;
    // The first matching record at index `from` or later, once there is one; none
    // when the timeout passes. With from = ReadRecords().size() it waits for a
    // record written after that moment.
    std::optional<StandinLogRecord> WaitForRecord(
        const StandinLogPredicate& matches, std::chrono::milliseconds timeout = kGenerousTimeout,
        std::size_t from = 0) const;

  private:
    std::wstring path_;
};

}  // namespace korrelin::support
