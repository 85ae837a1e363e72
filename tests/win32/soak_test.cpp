// Hundreds of whole cycles against the stand-in: korrelin.exe must leave nothing
// behind. After a warm-up its handles, USER and GDI objects and windows stay exactly
// as they were, and its private bytes grow by no more than the heap's own slack.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "panel/panel_texts.h"
#include "support/korrelin_panel.h"
#include "support/process_probe.h"
#include "support/standin.h"
#include "support/standin_log_tail.h"
#include "support/whole_cycle.h"
#include "winauto/codepage_win32.h"

namespace korrelin {
namespace {

using support::ProcessResources;

constexpr int kWarmUpCycles = 50;
constexpr int kMeasuredCycles = 250;
constexpr int kSampleEvery = 50;
// A leak of a single small block per cycle would show as more than this over the
// measured cycles; the heap may still take a page or a few for its own bookkeeping.
constexpr std::uint64_t kPrivateBytesSlack = 64 * 1024;

void ExpectNoGrowth(const ProcessResources& first, const ProcessResources& later, int cycle) {
    SCOPED_TRACE("after " + std::to_string(cycle) + " cycles");
    EXPECT_EQ(later.handles, first.handles);
    EXPECT_EQ(later.userObjects, first.userObjects);
    EXPECT_EQ(later.gdiObjects, first.gdiObjects);
    EXPECT_EQ(later.windows, first.windows);
    EXPECT_LE(later.privateBytes, first.privateBytes + kPrivateBytesSlack)
        << "private bytes " << first.privateBytes << " -> " << later.privateBytes;
}

TEST(Soak, ThreeHundredWholeCyclesLeaveNoHandlesObjectsOrMemoryBehind) {
    auto standin = support::Standin::Start({});
    ASSERT_NE(standin, nullptr);
    auto panel = support::KorrelinPanel::Start();
    ASSERT_NE(panel, nullptr);
    // A short period keeps the run short; every cycle still pauses once for the submenu.
    ASSERT_TRUE(panel->TypeInto(ControlId::编辑框2, L"16"));
    ASSERT_TRUE(panel->PickRole(2));
    panel->Click(ControlId::按钮1);
    ASSERT_TRUE(panel->WaitForStatus(support::kRunningText)) << panel->Describe();

    const support::ProcessProbe probe(panel->process().id());
    ASSERT_TRUE(probe.IsOpen());
    support::StandinLogTail log(standin->log().path());
    ASSERT_TRUE(log.IsOpen());

    ProcessResources first;
    for (int cycle = 1; cycle <= kWarmUpCycles + kMeasuredCycles; ++cycle) {
        const auto result = support::RunWholeCycle(standin->channel(), cycle % 4, log);
        ASSERT_TRUE(result.times.has_value()) << "cycle " << cycle << ": " << result.failure;
        ASSERT_EQ(result.times->role, 2) << "cycle " << cycle;
        if (cycle == kWarmUpCycles) first = probe.Sample();
        if (cycle > kWarmUpCycles && cycle % kSampleEvery == 0) {
            ExpectNoGrowth(first, probe.Sample(), cycle);
        }
    }
    EXPECT_GT(first.handles, 0u) << "the handle count of korrelin.exe was not read";
    EXPECT_GT(first.windows, 0u);
    EXPECT_GT(first.privateBytes, 0u);
}

}  // namespace
}  // namespace korrelin
