#include "bench_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

namespace korrelin::bench {

Summary Summarise(std::vector<double> samples) {
    Summary summary;
    summary.count = samples.size();
    if (samples.empty()) return summary;
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    summary.median = n % 2 == 1 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    const auto rank = static_cast<std::size_t>(std::ceil(0.95 * static_cast<double>(n)));
    summary.p95 = samples[std::max<std::size_t>(rank, 1) - 1];
    summary.max = samples.back();
    return summary;
}

std::string FormatValue(double value) {
    char text[64];
    if (std::fabs(value) >= 1000 || value == std::floor(value)) {
        std::snprintf(text, sizeof text, "%.0f", value);
    } else if (std::fabs(value) >= 10) {
        std::snprintf(text, sizeof text, "%.1f", value);
    } else {
        std::snprintf(text, sizeof text, "%.3g", value);
    }
    return text;
}

void Report::Add(Figure figure) {
    figures_.push_back(std::move(figure));
}

void Report::Add(std::string name, double value, std::string unit, std::string note) {
    Add(Figure{std::move(name), value, std::move(unit), std::nullopt, std::move(note)});
}

void Report::AddAgainst(std::string name, double value, std::string unit, double limit,
                        std::string targetText, std::string note) {
    Add(Figure{std::move(name), value, std::move(unit), Target{limit, std::move(targetText)},
               std::move(note)});
}

std::string Report::Table() const {
    std::size_t nameWidth = 6;
    for (const Figure& figure : figures_) nameWidth = std::max(nameWidth, figure.name.size());
    std::string table;
    char line[512];
    std::snprintf(line, sizeof line, "%-*s %12s %-8s %-14s %-6s %s\n", static_cast<int>(nameWidth),
                  "figure", "value", "unit", "target", "", "note");
    table += line;
    for (const Figure& figure : figures_) {
        const char* verdict = "";
        if (figure.target) verdict = figure.value <= figure.target->limit ? "met" : "MISSED";
        std::snprintf(
            line, sizeof line, "%-*s %12s %-8s %-14s %-6s %s\n", static_cast<int>(nameWidth),
            figure.name.c_str(), FormatValue(figure.value).c_str(), figure.unit.c_str(),
            figure.target ? figure.target->text.c_str() : "", verdict, figure.note.c_str());
        table += line;
    }
    return table;
}

std::string Report::ResultLines() const {
    std::string lines;
    for (const Figure& figure : figures_) {
        lines += figure.name + " " + FormatValue(figure.value) + " " + figure.unit + "\n";
    }
    return lines;
}

std::vector<std::string> Report::Missed() const {
    std::vector<std::string> missed;
    for (const Figure& figure : figures_) {
        if (figure.target && figure.value > figure.target->limit) missed.push_back(figure.name);
    }
    return missed;
}

}  // namespace korrelin::bench
