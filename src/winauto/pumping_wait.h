#pragma once
// A pause that keeps the tool's window responsive: the GUI thread sleeps in the
// system's wait on a one-shot timer and handles every window message that arrives
// meanwhile, including ones whose handlers pause in turn.

#include <cstdint>
#include <optional>

#include "winauto/system_windows.h"

namespace korrelin {

// Unit codes; any code not listed means that many milliseconds per unit.
struct WaitUnit {
    enum : std::int32_t { Milliseconds = 0, Seconds = 1, Minutes = 2, Hours = 3 };
};

// The wake mask of the wait: every kind of input of the classic QS_ALLINPUT (keys,
// mouse, posted messages, timers, paint, sent messages, hot keys).
inline constexpr std::uint32_t kPumpingWaitWakeMask = 0xFF;

// Milliseconds per unit of the code (left out: milliseconds).
std::int64_t MillisecondsPerUnit(std::optional<std::int32_t> unit);

// The timer's due time for the pause, in 100 ns units counted from now (negative):
// -(amount * milliseconds per unit * 10000), exact in 64 bits. An amount of 0 or below
// gives 0 or a positive value, a time long past: the timer fires at once. Products
// beyond the 64-bit range (pauses of some 29 000 years) are clamped to its ends.
std::int64_t PumpingWaitDueTime(std::int32_t amount, std::optional<std::int32_t> unit);

// Waits for `amount` units, dispatching the GUI thread's pending messages whenever
// input arrives (a WM_QUIT is left in the queue). Returns true, always.
//
// A left-out amount is 0: the call returns at once, after the timer fires.
//
// Where the system timer cannot be created, cannot be armed or cannot be waited on
// (WAIT_FAILED), the call still returns once the amount has passed: it waits for input
// with a time-out up to the deadline on the tick count instead. Should even that wait
// fail, it stops waiting and returns rather than retry in a loop.
bool PumpingWait(SystemWindows& system, std::optional<std::int32_t> amount,
                 std::optional<std::int32_t> unit = std::nullopt);

}  // namespace korrelin
