#pragma once
// Following the stand-in's log as it grows, for runs of thousands of menu cycles:
// each read takes only what was written since the last one, where StandinLogReader
// reads the whole file again.

#include <windows.h>

#include <chrono>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/standin_log_reader.h"
#include "support/waiting.h"

namespace korrelin::support {

class StandinLogTail {
  public:
    // Starts at the end of what the log holds now: earlier records are not seen.
    explicit StandinLogTail(const std::wstring& path);

    bool IsOpen() const { return file_ != nullptr; }

    // Takes the records one by one: the next record that matches, once there is one;
    // the records before it are consumed and handed to `passed` (when given). None
    // when the timeout passes first.
    std::optional<StandinLogRecord> WaitFor(const StandinLogPredicate& matches,
                                            std::chrono::milliseconds timeout = kGenerousTimeout,
                                            std::vector<StandinLogRecord>* passed = nullptr);

  private:
    // Moves the whole lines written since the last read into pending_.
    void ReadNewLines();

    UniqueHandle file_;
    std::string partialLine_;
    std::deque<StandinLogRecord> pending_;
};

}  // namespace korrelin::support
