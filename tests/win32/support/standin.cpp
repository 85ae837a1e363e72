#include "support/standin.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace korrelin::support {

HWND WindowFromLogField(const StandinLogRecord& record, const std::string& key) {
    const auto value = record.Number(key);
    return value ? reinterpret_cast<HWND>(static_cast<std::uintptr_t>(*value)) : nullptr;
}

std::unique_ptr<Standin> Standin::Start(const std::vector<std::wstring>& arguments,
                                        std::chrono::milliseconds timeout) {
    std::unique_ptr<Standin> standin(new Standin());
    if (standin->folder_.path().empty()) {
        ADD_FAILURE() << "cannot make a temporary folder for the stand-in's log";
        return nullptr;
    }
    standin->log_ = StandinLogReader(standin->folder_.FilePath(L"standin.log"));
    std::vector<std::wstring> withLog = arguments;
    withLog.push_back(L"--log");
    withLog.push_back(standin->log_.path());
    standin->process_ =
        ChildProcess::Start(PathBesideTestProgram(L"korrelin-standin.exe"), withLog);
    if (!standin->process_.IsStarted()) {
        ADD_FAILURE() << "cannot start the stand-in: " << standin->process_.error();
        return nullptr;
    }
    const auto ready = standin->log_.WaitForRecord(IsEvent("ready"), timeout);
    if (!ready) {
        ADD_FAILURE() << "the stand-in did not log \"ready\" within " << timeout.count() << " ms"
                      << (standin->process_.IsRunning() ? "" : " (it has ended)");
        return nullptr;
    }
    standin->channel_ = WindowFromLogField(*ready, "channel");
    return standin;
}

std::vector<HWND> Standin::Windows(const std::wstring& className,
                                   std::optional<std::wstring> title) const {
    return FindTopLevelWindows({className, std::move(title), process_.id()});
}

HWND Standin::OpenPopup(int member, std::chrono::milliseconds timeout) {
    const std::size_t from = log_.ReadRecords().size();
    PostMessageW(channel_, kStandinOpenPopupMessage, static_cast<WPARAM>(member), 0);
    const auto opened = WaitForEvent("popup-opened", from, timeout);
    if (!opened) {
        ADD_FAILURE() << "the stand-in did not open the pop-up for member " << member;
        return nullptr;
    }
    return WindowFromLogField(*opened, "hwnd");
}

bool Standin::PopupLeftAloneFor(int member, std::chrono::milliseconds span) {
    const std::size_t from = log_.ReadRecords().size();
    if (OpenPopup(member) == nullptr) return false;
    return !log_.WaitForRecord(IsMessageTo("popup"), span, from).has_value();
}

std::optional<StandinLogRecord> Standin::WaitForEvent(const std::string& event, std::size_t from,
                                                      std::chrono::milliseconds timeout) const {
    return log_.WaitForRecord(IsEvent(event), timeout, from);
}

std::vector<StandinLogRecord> Standin::CaptureMessages(const std::function<void()>& post,
                                                       std::chrono::milliseconds timeout) {
    const std::uint32_t opening = nextMark_++;
    const std::uint32_t closing = nextMark_++;
    const auto isMark = [](std::uint32_t id) {
        return [id](const StandinLogRecord& record) {
            return record.event == "mark" && record.Number("id") == id;
        };
    };
    PostMessageW(channel_, kStandinMarkMessage, opening, 0);
    post();
    PostMessageW(channel_, kStandinMarkMessage, closing, 0);
    if (!log_.WaitForRecord(isMark(closing), timeout)) {
        ADD_FAILURE() << "the stand-in did not log mark " << closing << " within "
                      << timeout.count() << " ms";
        return {};
    }
    std::vector<StandinLogRecord> messages;
    bool inside = false;
    for (const StandinLogRecord& record : log_.ReadRecords()) {
        if (isMark(opening)(record)) {
            inside = true;
        } else if (isMark(closing)(record)) {
            break;
        } else if (inside && record.IsMessage()) {
            messages.push_back(record);
        }
    }
    return messages;
}

}  // namespace korrelin::support
