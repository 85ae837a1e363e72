#include "winauto/pumping_wait.h"

#include <algorithm>
#include <limits>

namespace korrelin {

namespace {

constexpr std::int64_t kIntervalsPerMillisecond = 10000;  // 100 ns units
constexpr std::int64_t kMillisecondsPerSecond = 1000;
constexpr std::int64_t kMillisecondsPerMinute = 60 * kMillisecondsPerSecond;
constexpr std::int64_t kMillisecondsPerHour = 60 * kMillisecondsPerMinute;
// The longest single time-out that is not INFINITE.
constexpr std::uint64_t kLongestTimeoutMs = kInfinite - 1;

// The pause in milliseconds: |amount| and |per unit| are below 2^31 each, so the
// product fits in 64 bits.
std::int64_t PauseMilliseconds(std::int32_t amount, std::optional<std::int32_t> unit) {
    return static_cast<std::int64_t>(amount) * MillisecondsPerUnit(unit);
}

// Closes the timer it holds, if any, however the wait ends.
class TimerGuard {
  public:
    TimerGuard(SystemWindows& system, KernelHandle timer) : system_(system), timer_(timer) {}
    ~TimerGuard() {
        if (timer_ != 0) system_.CloseHandle(timer_);
    }
    TimerGuard(const TimerGuard&) = delete;
    TimerGuard& operator=(const TimerGuard&) = delete;
    KernelHandle get() const { return timer_; }

  private:
    SystemWindows& system_;
    KernelHandle timer_;
};

// Waits for input with a time-out up to the deadline, for when the timer is of no use.
// Returns once the deadline has passed, or at once should a wait fail.
void WaitUntilDeadline(SystemWindows& system, std::uint64_t deadlineMs) {
    for (;;) {
        const std::uint64_t now = system.TickCountMs();
        if (now >= deadlineMs) return;
        const auto timeout =
            static_cast<std::uint32_t>(std::min(deadlineMs - now, kLongestTimeoutMs));
        const std::uint32_t result =
            system.MsgWaitForMultipleObjects(0, timeout, kPumpingWaitWakeMask);
        if (result == kWaitFailed) return;
        if (result != kWaitTimeout) system.DispatchPendingMessages();
    }
}

}  // namespace

std::int64_t MillisecondsPerUnit(std::optional<std::int32_t> unit) {
    switch (unit.value_or(WaitUnit::Milliseconds)) {
        case WaitUnit::Milliseconds:
            return 1;
        case WaitUnit::Seconds:
            return kMillisecondsPerSecond;
        case WaitUnit::Minutes:
            return kMillisecondsPerMinute;
        case WaitUnit::Hours:
            return kMillisecondsPerHour;
        default:
            return *unit;
    }
}

std::int64_t PumpingWaitDueTime(std::int32_t amount, std::optional<std::int32_t> unit) {
    const std::int64_t milliseconds = PauseMilliseconds(amount, unit);
    constexpr std::int64_t kLimit =
        std::numeric_limits<std::int64_t>::max() / kIntervalsPerMillisecond;
    if (milliseconds > kLimit) return std::numeric_limits<std::int64_t>::min();
    if (milliseconds < -kLimit) return std::numeric_limits<std::int64_t>::max();
    return -(milliseconds * kIntervalsPerMillisecond);
}

bool PumpingWait(SystemWindows& system, std::optional<std::int32_t> amount,
                 std::optional<std::int32_t> unit) {
    const std::int32_t units = amount.value_or(0);
    const std::int64_t milliseconds = PauseMilliseconds(units, unit);
    const std::uint64_t deadline =
        system.TickCountMs() + static_cast<std::uint64_t>(std::max<std::int64_t>(milliseconds, 0));

    const TimerGuard timer(system, system.CreateWaitableTimerA());
    const bool armed =
        timer.get() != 0 && system.SetWaitableTimer(timer.get(), PumpingWaitDueTime(units, unit));
    if (!armed) {
        WaitUntilDeadline(system, deadline);
        return true;
    }
    for (;;) {
        const std::uint32_t result =
            system.MsgWaitForMultipleObjects(timer.get(), kInfinite, kPumpingWaitWakeMask);
        if (result == kWaitObject0) return true;
        if (result == kWaitFailed) {
            // Retrying a wait that fails would spin; the clock still tells the time.
            WaitUntilDeadline(system, deadline);
            return true;
        }
        system.DispatchPendingMessages();
    }
}

}  // namespace korrelin
