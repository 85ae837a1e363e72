#pragma once
// korrelin-standin.exe, the stand-in for the chat client, run by a Wine test: started
// beside the test program with a log in a folder of its own, ended with the test.
//
//   auto standin = Standin::Start({L"--channel", L"123"});
//   ASSERT_NE(standin, nullptr);
//   HWND popup = standin->OpenPopup(0);
//
// Its windows: the channel (class "QWidget", title "频道 <ID>-<text>"), the pop-up
// (class "QPopup", title "菜单", 180 × 408) and the submenu ("QPopup", "菜单",
// 156 × 84, listed before the pop-up), and any --extra-window.

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/standin_log_reader.h"
#include "support/temp_directory.h"
#include "support/waiting.h"

namespace korrelin::support {

// The stand-in's test messages, posted to its channel window:
// the pop-up opens for the member in wParam (counted from 0), as on a right-click;
inline constexpr UINT kStandinOpenPopupMessage = WM_APP + 1;
// "event=mark id=<wParam>" is logged.
inline constexpr UINT kStandinMarkMessage = WM_APP + 2;

class Standin {
  public:
    // Starts the stand-in with the arguments (a --log is added) and waits until it
    // logs "ready". A failure is reported as a test failure and gives nullptr.
    static std::unique_ptr<Standin> Start(const std::vector<std::wstring>& arguments,
                                          std::chrono::milliseconds timeout = kGenerousTimeout);

    HWND channel() const { return channel_; }
    DWORD processId() const { return process_.id(); }
    ChildProcess& process() { return process_; }
    const StandinLogReader& log() const { return log_; }

    // The stand-in's windows of that class (and title), in the system's order.
    std::vector<HWND> Windows(const std::wstring& className,
                              std::optional<std::wstring> title = std::nullopt) const;

    // Posts the test message that opens the pop-up for the member and waits for it;
    // the pop-up's handle, or nullptr (a test failure) when it does not open.
    HWND OpenPopup(int member, std::chrono::milliseconds timeout = kGenerousTimeout);
    // Opens the pop-up for the member and watches it for the span (many periods of
    // the tool): true when no message reached it, false when one did or it did not open.
    bool PopupLeftAloneFor(int member,
                           std::chrono::milliseconds span = std::chrono::milliseconds(1500));

    // The first record of that event at index `from` or later, waiting for it.
    std::optional<StandinLogRecord> WaitForEvent(
        const std::string& event, std::size_t from = 0,
        std::chrono::milliseconds timeout = kGenerousTimeout) const;

    // Runs `post` between two marks posted to the channel window and returns the
    // messages that the stand-in logged between the marks: exactly those that
    // `post` posted to its windows, once it has handled them. A failure to see the
    // closing mark is a test failure and gives no records.
    std::vector<StandinLogRecord> CaptureMessages(
        const std::function<void()>& post, std::chrono::milliseconds timeout = kGenerousTimeout);

  private:
    Standin() = default;

    TempDirectory folder_;  // outlives the process, which writes the log into it
    ChildProcess process_;
    StandinLogReader log_{L""};
    HWND channel_ = nullptr;
    std::uint32_t nextMark_ = 1;
};

// A window handle written in the log ("0x0002003E").
HWND WindowFromLogField(const StandinLogRecord& record, const std::string& key);

}  // namespace korrelin::support
