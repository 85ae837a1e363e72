// korrelin-bench.exe: figures of korrelin.exe at work against the stand-in chat client,
// both run as separate processes beside this program. It prints a table with the
// targets beside the figures and writes the same figures to a results file; it never
// fails on a figure.
//
//   korrelin-bench.exe [--quick] [--results FILE] [--product-exe FILE]...
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "bench_report.h"
#include "panel/panel_texts.h"
#include "support/korrelin_panel.h"
#include "support/process_probe.h"
#include "support/standin.h"
#include "support/standin_log_tail.h"
#include "support/whole_cycle.h"
#include "winauto/codepage_win32.h"

namespace korrelin::bench {
namespace {

using support::ChildProcess;
using support::KorrelinPanel;
using support::ProcessProbe;
using support::ProcessResources;
using support::Standin;

constexpr double kMiB = 1024.0 * 1024.0;
constexpr double kTicksPerMs = 10000.0;  // 100 ns units of GetProcessTimes

// How much of each measurement a run takes.
struct Budget {
    int startupRounds;
    int trialsPerPeriod;
    DWORD idleMs;
    int responsivenessSamples;
    int soakCycles;
    int soakWarmUpCycles;
    int soakSampleEvery;
};

constexpr Budget kFullBudget{5, 60, 30000, 200, 2000, 100, 100};
constexpr Budget kQuickBudget{2, 12, 12000, 60, 150, 50, 50};

struct Options {
    bool quick = false;
    std::wstring resultsPath = L"build\\bench\\results.txt";
    std::vector<std::wstring> productExes;  // further builds of korrelin.exe to size
};

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (const wchar_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
    return narrow;
}

class Stopwatch {
  public:
    Stopwatch() {
        QueryPerformanceFrequency(&frequency_);
        QueryPerformanceCounter(&start_);
    }
    double ElapsedMs() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart - start_.QuadPart) * 1000.0 /
               static_cast<double>(frequency_.QuadPart);
    }

  private:
    LARGE_INTEGER frequency_{};
    LARGE_INTEGER start_{};
};

void Say(const std::string& text) {
    std::printf("bench: %s\n", text.c_str());
    std::fflush(stdout);
}

std::optional<std::uint64_t> FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// --- start-up

// From just before CreateProcess until a window of that class of the new process
// is visible.
std::optional<double> TimeToVisibleWindow(const std::wstring& program,
                                          const std::vector<std::wstring>& arguments,
                                          const std::wstring& windowClass) {
    const Stopwatch clock;
    ChildProcess process = ChildProcess::Start(program, arguments);
    if (!process.IsStarted()) return std::nullopt;
    while (clock.ElapsedMs() < support::kGenerousTimeout.count()) {
        for (const HWND window :
             support::FindTopLevelWindows({windowClass, std::nullopt, process.id()})) {
            if (IsWindowVisible(window)) return clock.ElapsedMs();
        }
        Sleep(1);
    }
    return std::nullopt;
}

bool MeasureStartUp(const Budget& budget, Report& report) {
    const std::wstring korrelin = support::PathBesideTestProgram(L"korrelin.exe");
    const std::wstring standin = support::PathBesideTestProgram(L"korrelin-standin.exe");
    // One start of each first: the very first start in a prefix loads everything
    // from disk.
    TimeToVisibleWindow(korrelin, {}, support::kPanelClass);
    TimeToVisibleWindow(standin, {}, L"QWidget");
    std::vector<double> korrelinMs, standinMs;
    for (int round = 0; round < budget.startupRounds; ++round) {
        const auto panel = TimeToVisibleWindow(korrelin, {}, support::kPanelClass);
        const auto client = TimeToVisibleWindow(standin, {}, L"QWidget");
        if (!panel || !client) {
            Say("a program did not show its window at start");
            return false;
        }
        korrelinMs.push_back(*panel);
        standinMs.push_back(*client);
    }
    const double panel = Summarise(korrelinMs).median;
    const double client = Summarise(standinMs).median;
    report.Add("startup.korrelin.median", panel, "ms", "process start to panel visible");
    report.Add("startup.standin.median", client, "ms", "yardstick: the stand-in's own start");
    report.AddAgainst("startup.ratio", panel / client, "ratio", 1.5, "<= 1.5");
    return true;
}

// --- the tool at work

constexpr double kPrivateBytesLimit = 4 * kMiB;
// The heap may take a page or a few for its own bookkeeping over a long run.
constexpr double kPrivateBytesSlack = 64 * 1024;

void AddResources(Report& report, const std::string& prefix, const ProcessResources& resources) {
    report.AddAgainst(prefix + ".private", static_cast<double>(resources.privateBytes), "bytes",
                      kPrivateBytesLimit, "<= 4 MiB");
    report.Add(prefix + ".working_set", static_cast<double>(resources.workingSetBytes), "bytes");
    report.Add(prefix + ".handles", resources.handles, "count");
    report.Add(prefix + ".windows", resources.windows, "count");
}

class Bench {
  public:
    Bench(const Budget& budget, Report& report) : budget_(budget), report_(report) {}

    bool Run() {
        standin_ = Standin::Start({});
        panel_ = KorrelinPanel::Start();
        if (!standin_ || !panel_) return Fail("cannot start the stand-in and the panel");
        probe_ = std::make_unique<ProcessProbe>(panel_->process().id());
        if (!probe_->IsOpen()) return Fail("cannot open korrelin.exe's process for querying");

        MeasureFootprintAtStart();
        for (const int period : {100, 50, 16}) {
            if (!MeasureReaction(period)) return false;
        }
        if (!MeasureArmedIdle()) return false;
        if (!MeasureNoSubmenu()) return false;
        return Soak();
    }

  private:
    bool Fail(const std::string& why) {
        Say("failed: " + why);
        return false;
    }

    // Stop, a new period typed into 编辑框2, Start: armed with that period.
    bool ArmWithPeriod(int periodMs) {
        panel_->Click(ControlId::按钮2);
        if (!panel_->WaitForStatus(support::kStoppedText)) return Fail("Stop did not take");
        if (!panel_->TypeInto(ControlId::编辑框2, std::to_wstring(periodMs))) {
            return Fail("cannot type the period");
        }
        panel_->Click(ControlId::按钮1);
        if (!panel_->WaitForStatus(support::kRunningText)) return Fail("Start did not take");
        return true;
    }

    bool ReplaceStandin(const std::vector<std::wstring>& arguments) {
        standin_.reset();  // its windows go with it
        standin_ = Standin::Start(arguments);
        return standin_ != nullptr || Fail("cannot start the stand-in");
    }

    void MeasureFootprintAtStart() {
        Sleep(1000);  // settled after the first paint
        const ProcessResources start = probe_->Sample();
        AddResources(report_, "footprint.start", start);
        // The stand-in is a small Win32 program too: what both use is the system's.
        const ProcessResources standin = ProcessProbe(standin_->processId()).Sample();
        report_.Add("footprint.standin.private", static_cast<double>(standin.privateBytes), "bytes",
                    "yardstick: the stand-in, idle");
        report_.Add("footprint.standin.working_set", static_cast<double>(standin.workingSetBytes),
                    "bytes");
    }

    bool MeasureReaction(int periodMs) {
        Say("reaction at a period of " + std::to_string(periodMs) + " ms");
        if (!ArmWithPeriod(periodMs)) return false;
        support::StandinLogTail log(standin_->log().path());
        std::uniform_int_distribution<int> phase(0, periodMs - 1);
        std::vector<double> reaction, sequence;
        for (int trial = 0; trial < budget_.trialsPerPeriod; ++trial) {
            // The pop-up opens at any point of the period.
            Sleep(static_cast<DWORD>(phase(random_)));
            const auto cycle = support::RunWholeCycle(standin_->channel(), trial % 4, log);
            if (!cycle.times) return Fail(cycle.failure);
            reaction.push_back(
                static_cast<double>(cycle.times->firstPopupClickMs - cycle.times->popupOpenedMs));
            sequence.push_back(
                static_cast<double>(cycle.times->submenuClickMs - cycle.times->popupOpenedMs));
        }
        const std::string prefix = "reaction.period" + std::to_string(periodMs);
        const Summary reactionSummary = Summarise(reaction);
        report_.Add(prefix + ".median", reactionSummary.median, "ms");
        report_.AddAgainst(prefix + ".p95", reactionSummary.p95, "ms", periodMs + 10.0,
                           "<= " + std::to_string(periodMs + 10) + " ms",
                           std::to_string(reactionSummary.count) + " trials, max " +
                               FormatValue(reactionSummary.max));
        const Summary sequenceSummary = Summarise(sequence);
        const std::string whole = "sequence.period" + std::to_string(periodMs);
        report_.Add(whole + ".median", sequenceSummary.median, "ms",
                    "pop-up shown to role clicked");
        report_.Add(whole + ".p95", sequenceSummary.p95, "ms");
        return true;
    }

    // The share of one core that korrelin.exe used over the idle span, under `name`.
    // Wine counts processor time in steps of 10 ms, which is why the span is long.
    bool AddProcessorShare(const std::string& name, std::optional<Target> target,
                           const std::string& note) {
        const auto before = probe_->ProcessTimes();
        const Stopwatch clock;
        Sleep(budget_.idleMs);
        const auto after = probe_->ProcessTimes();
        const double spanMs = clock.ElapsedMs();
        if (!before || !after) return Fail("GetProcessTimes of korrelin.exe failed");
        const double share = static_cast<double>(*after - *before) / kTicksPerMs / spanMs * 100.0;
        report_.Add(Figure{name, share, "percent", std::move(target),
                           note + "; GetProcessTimes over " + FormatValue(spanMs / 1000) + " s"});
        return true;
    }

    // Round trips of WM_GETTEXT to 标签1, at scattered moments.
    Summary Responsiveness() {
        const HWND label = panel_->Control(ControlId::标签1);
        std::uniform_int_distribution<int> gap(5, 25);
        std::vector<double> roundTrips;
        for (int i = 0; i < budget_.responsivenessSamples; ++i) {
            Sleep(static_cast<DWORD>(gap(random_)));
            wchar_t text[64];
            DWORD_PTR copied = 0;
            const Stopwatch clock;
            SendMessageTimeoutW(label, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                                5000, &copied);
            roundTrips.push_back(clock.ElapsedMs());
        }
        return Summarise(roundTrips);
    }

    bool MeasureArmedIdle() {
        Say("idle, armed at 100 ms with no pop-up");
        if (!ArmWithPeriod(100)) return false;
        if (!AddProcessorShare("idle.cpu.armed100", Target{0.2, "<= 0.2 %"}, "of one core")) {
            return false;
        }
        const Summary armed = Responsiveness();
        report_.Add("responsiveness.armed.median", armed.median, "ms", "WM_GETTEXT to the label");
        report_.Add("responsiveness.armed.p95", armed.p95, "ms");
        return true;
    }

    bool MeasureNoSubmenu() {
        Say("the menu open, the submenu never coming");
        if (!ReplaceStandin({L"--no-submenu"})) return false;
        support::StandinLogTail log(standin_->log().path());
        if (standin_->OpenPopup(0) == nullptr) return Fail("the pop-up did not open");
        if (!log.WaitFor(support::IsMessageTo("popup"))) return Fail("the tool did not click");
        if (!AddProcessorShare("idle.cpu.no_submenu", std::nullopt,
                               "clicks every 100 ms, gives up after 3 s")) {
            return false;
        }
        const Summary pauses = Responsiveness();
        report_.Add("responsiveness.pauses.median", pauses.median, "ms", "WM_GETTEXT to the label");
        report_.AddAgainst("responsiveness.pauses.p95", pauses.p95, "ms", 5, "<= 5 ms",
                           "max " + FormatValue(pauses.max));
        return true;
    }

    bool Soak() {
        Say("soak: " + std::to_string(budget_.soakCycles) + " whole cycles at 16 ms");
        if (!ReplaceStandin({})) return false;
        if (!ArmWithPeriod(16)) return false;
        support::StandinLogTail log(standin_->log().path());
        std::vector<ProcessResources> samples;  // after warm-up, every few cycles
        const int footprintCycle = std::min(1000, budget_.soakCycles);
        std::optional<ProcessResources> atFootprintCycle;
        const Stopwatch clock;
        for (int cycle = 1; cycle <= budget_.soakCycles; ++cycle) {
            const auto result = support::RunWholeCycle(standin_->channel(), cycle % 4, log);
            if (!result.times) {
                return Fail("cycle " + std::to_string(cycle) + ": " + result.failure);
            }
            if (cycle >= budget_.soakWarmUpCycles && cycle % budget_.soakSampleEvery == 0) {
                samples.push_back(probe_->Sample());
            }
            if (cycle == footprintCycle) atFootprintCycle = probe_->Sample();
            if (cycle % 500 == 0) Say("  " + std::to_string(cycle) + " cycles");
        }
        report_.Add("soak.cycles", budget_.soakCycles, "count");
        report_.Add("soak.seconds", clock.ElapsedMs() / 1000, "s");
        if (samples.empty()) return Fail("no samples");
        // First (after the warm-up), last and largest sample of each resource; the
        // largest is held against the first.
        const auto addSeries = [&](const std::string& name, auto field, const std::string& unit,
                                   double slack, const std::string& targetText,
                                   const std::string& note) {
            double max = 0;
            for (const ProcessResources& sample : samples) {
                max = std::max(max, static_cast<double>(field(sample)));
            }
            const double first = static_cast<double>(field(samples.front()));
            report_.Add("soak." + name + ".first", first, unit, note);
            report_.Add("soak." + name + ".last", static_cast<double>(field(samples.back())), unit);
            report_.AddAgainst("soak." + name + ".max", max, unit, first + slack, targetText);
        };
        const auto handles = [](const ProcessResources& r) { return r.handles; };
        const auto windows = [](const ProcessResources& r) { return r.windows; };
        const auto privateBytes = [](const ProcessResources& r) { return r.privateBytes; };
        addSeries("handles", handles, "count", 0, "<= first", "");
        if (samples.front().guiObjectsCounted) {
            const auto user = [](const ProcessResources& r) { return r.userObjects; };
            const auto gdi = [](const ProcessResources& r) { return r.gdiObjects; };
            addSeries("user_objects", user, "count", 0, "<= first", "");
            addSeries("gdi_objects", gdi, "count", 0, "<= first", "");
        } else {
            report_.Add("soak.gui_objects.counted", 0, "count",
                        "GetGuiResources not implemented here (Wine); windows stand in");
        }
        addSeries("windows", windows, "count", 0, "<= first", "its windows and their children");
        addSeries("private", privateBytes, "bytes", kPrivateBytesSlack, "<= first+64K", "");
        report_.Add("soak.samples", static_cast<double>(samples.size()), "count",
                    "every " + std::to_string(budget_.soakSampleEvery) + " cycles after " +
                        std::to_string(budget_.soakWarmUpCycles));
        if (atFootprintCycle) {
            AddResources(report_, "footprint.cycles" + std::to_string(footprintCycle),
                         *atFootprintCycle);
        }
        return true;
    }

    const Budget& budget_;
    Report& report_;
    std::mt19937 random_{20240611};
    std::unique_ptr<Standin> standin_;
    std::unique_ptr<KorrelinPanel> panel_;
    std::unique_ptr<ProcessProbe> probe_;
};

void AddExeSizes(const Options& options, Report& report) {
    const auto ran = FileSize(support::PathBesideTestProgram(L"korrelin.exe"));
    if (ran) {
        report.AddAgainst("exe.ran", static_cast<double>(*ran), "bytes", kMiB, "<= 1 MiB",
                          sizeof(void*) == 8 ? "the 64-bit build that ran" : "the build that ran");
    }
    for (std::size_t i = 0; i < options.productExes.size(); ++i) {
        const auto size = FileSize(options.productExes[i]);
        if (!size) {
            Say("no file " + Narrow(options.productExes[i]));
            continue;
        }
        report.AddAgainst(i == 0 ? "exe.product" : "exe.product" + std::to_string(i + 1),
                          static_cast<double>(*size), "bytes", kMiB, "<= 1 MiB",
                          Narrow(options.productExes[i]));
    }
}

std::optional<Options> ParseOptions(int argc, wchar_t** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        if (argument == L"--quick") {
            options.quick = true;
        } else if (argument == L"--results" && i + 1 < argc) {
            options.resultsPath = argv[++i];
        } else if (argument == L"--product-exe" && i + 1 < argc) {
            options.productExes.push_back(argv[++i]);
        } else {
            std::printf(
                "usage: korrelin-bench [--quick] [--results FILE] [--product-exe FILE]...\n");
            return std::nullopt;
        }
    }
    return options;
}

int RunBench(const Options& options) {
    const Budget& budget = options.quick ? kQuickBudget : kFullBudget;
    const Stopwatch clock;
    Report report;
    AddExeSizes(options, report);
    Say("start-up, " + std::to_string(budget.startupRounds) + " rounds");
    bool complete = MeasureStartUp(budget, report);
    if (complete) complete = Bench(budget, report).Run();
    report.Add("bench.seconds", clock.ElapsedMs() / 1000, "s", options.quick ? "--quick" : "");

    std::printf("\n%s", report.Table().c_str());
    std::ofstream results(options.resultsPath.c_str(), std::ios::binary);
    results << report.ResultLines();
    if (!results) Say("cannot write " + Narrow(options.resultsPath));
    for (const std::string& name : report.Missed()) Say("target missed: " + name);
    if (!complete) Say("the run ended early; the figures above are those measured so far");
    return 0;
}

}  // namespace
}  // namespace korrelin::bench

int wmain(int argc, wchar_t** argv) {
    const auto options = korrelin::bench::ParseOptions(argc, argv);
    if (!options) return 2;
    return korrelin::bench::RunBench(*options);
}
