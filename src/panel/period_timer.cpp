#include "panel/period_timer.h"

namespace korrelin {

void PeriodTimer::Write(std::int32_t milliseconds) {
    const std::int32_t period = milliseconds < 0 ? 0 : milliseconds;
    if (period == period_) return;
    if (period_ > 0) driver_.StopTicking();
    period_ = period;
    if (period_ > 0) driver_.StartTicking(period_);
}

}  // namespace korrelin
