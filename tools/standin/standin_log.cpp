#include "standin/standin_log.h"

#include <cstdio>

namespace korrelin {

std::string HexField(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    return text;
}

std::string FormatMessageLine(std::uint64_t timeMs, std::string_view window, std::uint32_t message,
                              std::uint32_t wParam, std::uint32_t lParam) {
    char number[16];
    std::snprintf(number, sizeof number, "0x%04X", static_cast<unsigned>(message));
    return "t=" + std::to_string(timeMs) + " window=" + std::string(window) + " msg=" + number +
           " wparam=" + HexField(wParam) + " lparam=" + HexField(lParam) + "\n";
}

std::string FormatEventLine(std::uint64_t timeMs, std::string_view event,
                            std::initializer_list<StandinLogField> fields) {
    std::string line = "t=" + std::to_string(timeMs) + " event=" + std::string(event);
    for (const StandinLogField& field : fields) {
        line += ' ';
        line += field.key;
        line += '=';
        line += field.value;
    }
    line += '\n';
    return line;
}

}  // namespace korrelin
