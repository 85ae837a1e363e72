#include "winauto/pumping_wait.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "fakes/fake_desktop.h"

namespace korrelin {
namespace {

constexpr std::int64_t kInt64Min = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();

struct DueTimeCase {
    const char* name;
    std::optional<std::int32_t> amount;
    std::optional<std::int32_t> unit;
    std::int64_t dueTime;
    std::uint64_t pauseMs;
};

TEST(PumpingWaitTest, ArmsTheTimerWithTheDueTimeOfTheAmountAndUnit) {
    const std::vector<DueTimeCase> cases = {
        {"100, unit left out", 100, std::nullopt, -1000000, 100},
        {"100 milliseconds", 100, WaitUnit::Milliseconds, -1000000, 100},
        {"2 seconds", 2, WaitUnit::Seconds, -20000000, 2000},
        {"3 minutes", 3, WaitUnit::Minutes, -1800000000, 180000},
        {"1 hour needs 64 bits", 1, WaitUnit::Hours, -36000000000, 3600000},
        {"unit 10 is 10 ms per unit", 5, 10, -500000, 50},
        {"amount 0", 0, std::nullopt, 0, 0},
        {"amount 0 hours", 0, WaitUnit::Hours, 0, 0},
        {"negative amount", -5, std::nullopt, 50000, 0},
        {"negative hours", -1, WaitUnit::Hours, 36000000000, 0},
        {"negative unit code", 7, -3, 210000, 0},
        {"amount left out", std::nullopt, std::nullopt, 0, 0},
        {"amount left out, hours", std::nullopt, WaitUnit::Hours, 0, 0},
    };
    for (const DueTimeCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakeDesktop desktop;
        EXPECT_TRUE(PumpingWait(desktop, c.amount, c.unit));
        EXPECT_EQ(desktop.DueTimes(), std::vector<std::int64_t>{c.dueTime});
        EXPECT_EQ(desktop.NowMs(), c.pauseMs);
        ASSERT_EQ(desktop.Waits().size(), 1u);
        EXPECT_EQ(desktop.Waits()[0].timeoutMs, kInfinite);
        EXPECT_EQ(desktop.Waits()[0].wakeMask, 0xFFu);
        EXPECT_EQ(desktop.TimersCreated(), 1);
        EXPECT_EQ(desktop.TimersOpen(), 0);
        if (c.amount) {
            EXPECT_EQ(PumpingWaitDueTime(*c.amount, c.unit), c.dueTime);
        }
    }
}

TEST(PumpingWaitTest, DueTimesAreExactIn64BitsAndClampedBeyond) {
    const struct {
        std::int32_t amount;
        std::optional<std::int32_t> unit;
        std::int64_t dueTime;
    } cases[] = {
        {INT32_MAX, WaitUnit::Minutes, -1288490188200000000},
        {INT32_MIN, WaitUnit::Minutes, 1288490188800000000},
        {INT32_MAX, std::nullopt, -21474836470000},
        {INT32_MAX, WaitUnit::Hours, kInt64Min},
        {INT32_MIN, WaitUnit::Hours, kInt64Max},
        {INT32_MAX, INT32_MAX, kInt64Min},
        {INT32_MIN, INT32_MIN, kInt64Min},
        {INT32_MIN, INT32_MAX, kInt64Max},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.amount) + " x " + std::to_string(c.unit.value_or(0)));
        EXPECT_EQ(PumpingWaitDueTime(c.amount, c.unit), c.dueTime);
    }
}

TEST(PumpingWaitTest, DispatchesTheMessagesThatArriveDuringThePause) {
    FakeDesktop desktop;
    std::vector<std::uint64_t> handledAt;
    auto record = [&] { handledAt.push_back(desktop.NowMs()); };
    desktop.MessageAt(30, record);
    desktop.MessageAt(60, record);
    desktop.MessageAt(60, record);
    desktop.MessageAt(150, record);  // after the pause: left for the message loop

    EXPECT_TRUE(PumpingWait(desktop, 100, std::nullopt));
    EXPECT_EQ(desktop.NowMs(), 100u);
    EXPECT_EQ(handledAt, (std::vector<std::uint64_t>{30, 60, 60}));
    EXPECT_EQ(desktop.TimersOpen(), 0);
}

TEST(PumpingWaitTest, LeavesWmQuitInTheQueueAndWaitsOn) {
    FakeDesktop desktop;
    bool laterHandled = false;
    desktop.PostQuitAt(40);
    desktop.MessageAt(60, [&] { laterHandled = true; });

    EXPECT_TRUE(PumpingWait(desktop, 100, std::nullopt));
    EXPECT_EQ(desktop.NowMs(), 100u);
    EXPECT_TRUE(desktop.QuitPending());
    EXPECT_TRUE(laterHandled);
    // Woken by the quit and by the later message, then by the timer: no busy loop.
    EXPECT_EQ(desktop.Waits().size(), 3u);
}

struct NestingCase {
    const char* name;
    std::int32_t outer;
    std::uint64_t messageAt;
    std::int32_t inner;
    std::uint64_t innerEnd;
    std::uint64_t outerEnd;  // its own due time or the inner end, whichever is later
};

TEST(PumpingWaitTest, AWaitStartedFromADispatchedMessageRunsToItsEndFirst) {
    const std::vector<NestingCase> cases = {
        {"inner ends before the outer due time", 100, 30, 50, 80, 100},
        {"inner ends after the outer due time", 100, 30, 200, 230, 230},
        {"inner ends at the outer due time", 100, 90, 10, 100, 100},
        {"inner of no length", 100, 30, 0, 30, 100},
    };
    for (const NestingCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakeDesktop desktop;
        std::optional<std::uint64_t> innerEnd;
        desktop.MessageAt(c.messageAt, [&] {
            PumpingWait(desktop, c.inner, std::nullopt);
            innerEnd = desktop.NowMs();
        });
        PumpingWait(desktop, c.outer, std::nullopt);
        EXPECT_EQ(innerEnd, c.innerEnd);
        EXPECT_EQ(desktop.NowMs(), c.outerEnd);
        EXPECT_EQ(desktop.TimersCreated(), 2);
        EXPECT_EQ(desktop.TimersOpen(), 0);
    }
}

TEST(PumpingWaitTest, NestsSeveralLevelsDeep) {
    // A message during the inner wait is dispatched by the inner wait; it waits again.
    FakeDesktop desktop;
    std::vector<std::string> events;
    desktop.MessageAt(20, [&] {
        events.push_back("first at " + std::to_string(desktop.NowMs()));
        PumpingWait(desktop, 100, std::nullopt);
        events.push_back("first done at " + std::to_string(desktop.NowMs()));
    });
    desktop.MessageAt(50, [&] {
        events.push_back("second at " + std::to_string(desktop.NowMs()));
        PumpingWait(desktop, 150, std::nullopt);
        events.push_back("second done at " + std::to_string(desktop.NowMs()));
    });
    PumpingWait(desktop, 60, std::nullopt);
    EXPECT_EQ(events, (std::vector<std::string>{"first at 20", "second at 50", "second done at 200",
                                                "first done at 200"}));
    EXPECT_EQ(desktop.NowMs(), 200u);
    EXPECT_EQ(desktop.TimersOpen(), 0);
}

enum class Failure { kCreateTimer, kSetTimer, kTimerWait };

struct FailureCase {
    const char* name;
    Failure failure;
};

TEST(PumpingWaitTest, StillPausesForTheAmountWhenTheTimerFails) {
    const std::vector<FailureCase> cases = {
        {"timer cannot be created", Failure::kCreateTimer},
        {"timer cannot be armed", Failure::kSetTimer},
        {"waits on the timer fail", Failure::kTimerWait},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakeDesktop desktop;
        if (c.failure == Failure::kCreateTimer) desktop.FailCreateTimer();
        if (c.failure == Failure::kSetTimer) desktop.FailSetTimer();
        if (c.failure == Failure::kTimerWait)
            desktop.FailWaits(FakeDesktop::WaitFailure::kTimerWaits);
        std::vector<std::uint64_t> handledAt;
        desktop.MessageAt(30, [&] { handledAt.push_back(desktop.NowMs()); });
        desktop.PostQuitAt(50);

        EXPECT_TRUE(PumpingWait(desktop, 100, std::nullopt));
        EXPECT_EQ(desktop.NowMs(), 100u);
        EXPECT_EQ(handledAt, std::vector<std::uint64_t>{30});
        EXPECT_TRUE(desktop.QuitPending());
        EXPECT_EQ(desktop.TimersOpen(), 0);
        // Woken at 30 and 50, then the time-out at 100: a failed wait is not retried.
        EXPECT_LE(desktop.Waits().size(), 4u);
        for (const FakeDesktop::WaitRecord& wait : desktop.Waits()) {
            EXPECT_EQ(wait.wakeMask, 0xFFu);
            if (wait.result == kWaitFailed) {
                EXPECT_NE(wait.handle, 0u);
            }
        }
    }
}

TEST(PumpingWaitTest, ReturnsWithoutAPauseWhenTheTimerFailsAndTheAmountIsNotPositive) {
    for (const std::int32_t amount : {0, -100}) {
        FakeDesktop desktop;
        desktop.FailCreateTimer();
        desktop.MessageAt(10, [] {});
        EXPECT_TRUE(PumpingWait(desktop, amount, std::nullopt));
        EXPECT_EQ(desktop.NowMs(), 0u);
    }
}

TEST(PumpingWaitTest, GivesUpRatherThanSpinWhenEveryWaitFails) {
    FakeDesktop desktop;
    desktop.FailWaits(FakeDesktop::WaitFailure::kAllWaits);
    EXPECT_TRUE(PumpingWait(desktop, 100, std::nullopt));
    EXPECT_LE(desktop.Waits().size(), 2u);
    EXPECT_EQ(desktop.TimersOpen(), 0);
}

}  // namespace
}  // namespace korrelin
