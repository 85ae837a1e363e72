#include "support/standin_log_tail.h"

namespace korrelin::support {
namespace {

// Short: a cycle of the tool takes a few tens of milliseconds at the shortest.
constexpr DWORD kTailPollIntervalMs = 1;

}  // namespace

StandinLogTail::StandinLogTail(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    file_.reset(file);
    // Only what comes from now on; a line being written now counts as new.
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    std::string text(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD count = 0;
    if (!text.empty() &&
        ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &count, nullptr)) {
        text.resize(count);
        const std::size_t end = text.rfind('\n');
        partialLine_ = end == std::string::npos ? text : text.substr(end + 1);
    }
}

void StandinLogTail::ReadNewLines() {
    if (!file_) return;
    char buffer[8192];
    DWORD count = 0;
    while (ReadFile(file_.get(), buffer, sizeof buffer, &count, nullptr) && count > 0) {
        partialLine_.append(buffer, count);
    }
    std::size_t start = 0;
    for (std::size_t end = partialLine_.find('\n'); end != std::string::npos;
         start = end + 1, end = partialLine_.find('\n', start)) {
        if (auto record =
                ParseStandinLogLine(std::string_view(partialLine_).substr(start, end - start))) {
            pending_.push_back(std::move(*record));
        }
    }
    partialLine_.erase(0, start);
}

std::optional<StandinLogRecord> StandinLogTail::WaitFor(const StandinLogPredicate& matches,
                                                        std::chrono::milliseconds timeout,
                                                        std::vector<StandinLogRecord>* passed) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        ReadNewLines();
        while (!pending_.empty()) {
            StandinLogRecord record = std::move(pending_.front());
            pending_.pop_front();
            if (matches(record)) return record;
            if (passed != nullptr) passed->push_back(std::move(record));
        }
        if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
        Sleep(kTailPollIntervalMs);
    }
}

}  // namespace korrelin::support
