#include "support/standin_log_reader.h"

#include <windows.h>

#include <utility>

#include "support/child_process.h"

namespace korrelin::support {
namespace {

std::optional<std::uint64_t> ParseNumber(std::string_view text) {
    int base = 10;
    if (text.substr(0, 2) == "0x") {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty() || text.size() > 16) return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : text) {
        int digit = 0;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else {
            return std::nullopt;
        }
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    }
    return value;
}

// Splits "k1=v1 k2=v2 ..." into its fields, in order; none when a field has no "=".
std::optional<std::vector<std::pair<std::string, std::string>>> SplitFields(std::string_view line) {
    std::vector<std::pair<std::string, std::string>> fields;
    while (!line.empty()) {
        const std::size_t space = line.find(' ');
        const std::string_view field = line.substr(0, space);
        line = space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
        if (field.empty()) continue;
        const std::size_t equals = field.find('=');
        if (equals == std::string_view::npos || equals == 0) return std::nullopt;
        fields.emplace_back(std::string(field.substr(0, equals)),
                            std::string(field.substr(equals + 1)));
    }
    return fields;
}

// The whole file, read while another process may be writing it.
std::string ReadShared(const std::wstring& path) {
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();  // INVALID_HANDLE_VALUE is not a handle to close
        return {};
    }
    std::string text;
    char buffer[4096];
    DWORD count = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &count, nullptr) && count > 0) {
        text.append(buffer, count);
    }
    return text;
}

}  // namespace

std::optional<std::uint32_t> StandinLogRecord::Number(const std::string& key) const {
    const auto field = fields.find(key);
    if (field == fields.end()) return std::nullopt;
    const auto value = ParseNumber(field->second);
    if (!value || *value > 0xFFFFFFFFu) return std::nullopt;
    return static_cast<std::uint32_t>(*value);
}

std::optional<StandinLogRecord> ParseStandinLogLine(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
    const auto fields = SplitFields(line);
    if (!fields || fields->empty() || fields->front().first != "t") return std::nullopt;
    StandinLogRecord record;
    record.line = std::string(line);
    const auto time = ParseNumber(fields->front().second);
    if (!time) return std::nullopt;
    record.timeMs = *time;
    for (std::size_t i = 1; i < fields->size(); ++i) record.fields.insert((*fields)[i]);

    const auto take = [&record](const char* key) {
        const auto field = record.fields.find(key);
        if (field == record.fields.end()) return std::optional<std::string>();
        std::string value = std::move(field->second);
        record.fields.erase(field);
        return std::optional<std::string>(std::move(value));
    };
    if (auto event = take("event")) {
        record.event = std::move(*event);
        return record.event.empty() ? std::nullopt : std::optional<StandinLogRecord>(record);
    }
    const auto window = take("window");
    const auto message = take("msg");
    const auto wParam = take("wparam");
    const auto lParam = take("lparam");
    if (!window || window->empty() || !message || !wParam || !lParam) return std::nullopt;
    const auto messageNumber = ParseNumber(*message);
    const auto wParamNumber = ParseNumber(*wParam);
    const auto lParamNumber = ParseNumber(*lParam);
    if (!messageNumber || !wParamNumber || !lParamNumber) return std::nullopt;
    record.window = *window;
    record.message = static_cast<std::uint32_t>(*messageNumber);
    record.wParam = static_cast<std::uint32_t>(*wParamNumber);
    record.lParam = static_cast<std::uint32_t>(*lParamNumber);
    return record;
}

std::string DescribeRecords(const std::vector<StandinLogRecord>& records) {
    std::string text;
    for (const StandinLogRecord& record : records) text += record.line + "\n";
    return text;
}

StandinLogPredicate IsEvent(std::string event) {
    return [event = std::move(event)](const StandinLogRecord& record) {
        return record.event == event;
    };
}

StandinLogPredicate IsMessageTo(std::string window) {
    return [window = std::move(window)](const StandinLogRecord& record) {
        return record.window == window;
    };
}

std::vector<StandinLogRecord> StandinLogReader::ReadRecords() const {
    const std::string text = ReadShared(path_);
    std::vector<StandinLogRecord> records;
    std::size_t start = 0;
    for (std::size_t end = text.find('\n'); end != std::string::npos;
         start = end + 1, end = text.find('\n', start)) {
        if (auto record = ParseStandinLogLine(std::string_view(text).substr(start, end - start))) {
            records.push_back(std::move(*record));
        }
    }
    return records;
}

std::optional<StandinLogRecord> StandinLogReader::WaitForRecord(const StandinLogPredicate& matches,
                                                                std::chrono::milliseconds timeout,
                                                                std::size_t from) const {
    std::optional<StandinLogRecord> found;
    WaitUntil(
        [&] {
            const std::vector<StandinLogRecord> records = ReadRecords();
            for (std::size_t i = from; i < records.size(); ++i) {
                if (matches(records[i])) {
                    found = records[i];
                    return true;
                }
            }
            return false;
        },
        timeout);
    return found;
}

}  // namespace korrelin::support
