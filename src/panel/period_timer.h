#pragma once
// The period rules of the panel's timer 时钟1, apart from the system timer that
// carries them out: below 0 counts as 0, writing the current period changes nothing
// (a running countdown goes on), any other value stops the timer and, when positive,
// starts it afresh so that the first tick falls due one period after the write.

#include <cstdint>

namespace korrelin {

class TimerDriver {
  public:
    virtual ~TimerDriver() = default;
    virtual void StartTicking(std::int32_t milliseconds) = 0;
    virtual void StopTicking() = 0;
};

class PeriodTimer {
  public:
    explicit PeriodTimer(TimerDriver& driver) : driver_(driver) {}

    void Write(std::int32_t milliseconds);
    std::int32_t Read() const { return period_; }

  private:
    TimerDriver& driver_;
    std::int32_t period_ = 0;
};

}  // namespace korrelin
