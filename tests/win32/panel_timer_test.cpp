// 时钟1's period rules on a real window: ticks arrive as WM_TIMER through the queue.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "panel/panel_window_win32.h"

namespace korrelin {
namespace {

constexpr UINT_PTR kSentinelTimer = 99;

// A message-only window that notes when each tick of 时钟1 and of a sentinel timer
// arrives, with a period timer attached to it as the panel has.
class TickRecorder {
  public:
    TickRecorder() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &TickRecorder::WindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"KorrelinTickRecorder";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                  nullptr, windowClass.hInstance, this);
        driver_.Attach(window_);
    }
    ~TickRecorder() {
        driver_.StopTicking();
        DestroyWindow(window_);
    }

    PeriodTimer& Timer() { return timer_; }
    const std::vector<ULONGLONG>& Ticks() const { return ticks_; }

    // Pumps messages until pred() holds; false when the deadline passes first.
    template <typename Predicate>
    bool PumpUntil(Predicate pred, DWORD deadlineMs = 10000) {
        const ULONGLONG end = GetTickCount64() + deadlineMs;
        while (!pred()) {
            if (GetTickCount64() >= end) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        }
        return true;
    }

    // Pumps until a one-shot sentinel timer of the given length has fired.
    bool PumpFor(UINT milliseconds) {
        sentinelFired_ = false;
        SetTimer(window_, kSentinelTimer, milliseconds, nullptr);
        return PumpUntil([this] { return sentinelFired_; });
    }

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(
                                  reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        }
        auto* self = reinterpret_cast<TickRecorder*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self != nullptr && message == WM_TIMER) {
            if (wParam == WindowTimerDriver::kTimerId) self->ticks_.push_back(GetTickCount64());
            if (wParam == kSentinelTimer) {
                KillTimer(window, kSentinelTimer);
                self->sentinelFired_ = true;
            }
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
    WindowTimerDriver driver_;
    PeriodTimer timer_{driver_};
    std::vector<ULONGLONG> ticks_;
    bool sentinelFired_ = false;
};

TEST(PanelTimer, APositivePeriodTicksOnePeriodAfterTheWriteAndThenEveryPeriod) {
    TickRecorder recorder;
    const ULONGLONG written = GetTickCount64();
    recorder.Timer().Write(100);
    ASSERT_TRUE(recorder.PumpUntil([&] { return recorder.Ticks().size() >= 3; }));
    // Never before the period has passed (the system timer may be late, not early).
    EXPECT_GE(recorder.Ticks()[0] - written, 90u);
    EXPECT_EQ(recorder.Timer().Read(), 100);
}

TEST(PanelTimer, WritingTheSamePeriodKeepsTheRunningCountdown) {
    TickRecorder recorder;
    const ULONGLONG written = GetTickCount64();
    recorder.Timer().Write(600);
    ASSERT_TRUE(recorder.PumpFor(300));
    ASSERT_TRUE(recorder.Ticks().empty());
    recorder.Timer().Write(600);
    ASSERT_TRUE(recorder.PumpUntil([&] { return !recorder.Ticks().empty(); }));
    // Kept: the tick falls due 600 ms after the first write. A restart would put it
    // 600 ms after the second, that is 900 ms after the first.
    EXPECT_LT(recorder.Ticks()[0] - written, 800u);
}

TEST(PanelTimer, ZeroAndNegativePeriodsStopTheTicks) {
    for (const std::int32_t stop : {0, -5}) {
        TickRecorder recorder;
        recorder.Timer().Write(50);
        ASSERT_TRUE(recorder.PumpUntil([&] { return !recorder.Ticks().empty(); }));
        recorder.Timer().Write(stop);
        EXPECT_EQ(recorder.Timer().Read(), 0) << stop;
        const std::size_t ticksAtStop = recorder.Ticks().size();
        ASSERT_TRUE(recorder.PumpFor(400));  // eight periods
        EXPECT_EQ(recorder.Ticks().size(), ticksAtStop) << "ticks after writing " << stop;
    }
}

}  // namespace
}  // namespace korrelin
