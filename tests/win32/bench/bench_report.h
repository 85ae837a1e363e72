#pragma once
// The figures of a benchmark run: summaries of samples, and the table and results
// file they end up in. Portable.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korrelin::bench {

struct Summary {
    std::size_t count = 0;
    double median = 0;
    double p95 = 0;  // nearest rank: at least 95 % of the samples are at or below it
    double max = 0;
};

Summary Summarise(std::vector<double> samples);

// What a figure is held against, if anything: value <= limit.
struct Target {
    double limit = 0;
    std::string text;  // as printed, e.g. "<= 110 ms"
};

struct Figure {
    std::string name;  // one word, e.g. reaction.period100.p95
    double value = 0;
    std::string unit;  // ms, percent, bytes, ratio, count, s
    std::optional<Target> target;
    std::string note;  // a few words beside it, e.g. what a yardstick is
};

class Report {
  public:
    void Add(Figure figure);
    void Add(std::string name, double value, std::string unit, std::string note = {});
    void AddAgainst(std::string name, double value, std::string unit, double limit,
                    std::string targetText, std::string note = {});

    const std::vector<Figure>& figures() const { return figures_; }
    // Column-aligned, one figure a line, with its target and whether it was met.
    std::string Table() const;
    // "name value unit", one figure a line.
    std::string ResultLines() const;
    // The names of the figures that missed their targets.
    std::vector<std::string> Missed() const;

  private:
    std::vector<Figure> figures_;
};

// A value printed without needless digits: 3, 0.25, 96.5.
std::string FormatValue(double value);

}  // namespace korrelin::bench
