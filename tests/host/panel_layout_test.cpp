#include "panel/panel_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panel/period_timer.h"

namespace korrelin {
namespace {

TEST(CentredPanelPosition, CentresOnTheScreenRoundingTowardZero) {
    struct Case {
        int width, height, left, top;
    };
    const Case cases[] = {
        {1920, 1080, 811, 413}, {1024, 768, 363, 257},
        {1366, 768, 534, 257},  {299, 255, 0, 0},  // (1 / 2, 1 / 2)
        {297, 253, 0, 0},                          // (-1 / 2, -1 / 2) rounds toward zero, not down
        {200, 100, -49, -77},
    };
    for (const Case& c : cases) {
        const PanelPosition position = CentredPanelPosition(c.width, c.height);
        EXPECT_EQ(position.left, c.left) << c.width << "x" << c.height;
        EXPECT_EQ(position.top, c.top) << c.width << "x" << c.height;
    }
}

TEST(KeyboardOrder, TabAndShiftTabWalkTheOrderAndWrap) {
    struct Case {
        ControlId from;
        bool backwards;
        ControlId to;
    };
    const Case cases[] = {
        {ControlId::按钮1, false, ControlId::编辑框1},
        {ControlId::编辑框1, false, ControlId::编辑框2},
        {ControlId::编辑框2, false, ControlId::组合框2},
        {ControlId::组合框2, false, ControlId::按钮2},
        {ControlId::按钮2, false, ControlId::按钮3},
        {ControlId::按钮3, false, ControlId::按钮1},
        {ControlId::按钮1, true, ControlId::按钮3},
        {ControlId::编辑框1, true, ControlId::按钮1},
        {ControlId::组合框2, true, ControlId::编辑框2},
        {ControlId::按钮3, true, ControlId::按钮2},
        // Labels never hold the focus; from one the walk starts at an end.
        {ControlId::标签1, false, ControlId::按钮1},
        {ControlId::标签1, true, ControlId::按钮3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NextInKeyboardOrder(c.from, c.backwards), c.to)
            << static_cast<int>(c.from) << (c.backwards ? " backwards" : " forwards");
    }
}

TEST(PanelControlsTable, NoVisibleControlsOverlap) {
    for (const ControlSpec& a : kPanelControls) {
        for (const ControlSpec& b : kPanelControls) {
            if (a.id == b.id) continue;
            // The drop-down list only takes its closed height (about 20) on the panel.
            const int aHeight = a.kind == ControlKind::DropDownList ? 20 : a.height;
            const int bHeight = b.kind == ControlKind::DropDownList ? 20 : b.height;
            const bool apart = a.x + a.width <= b.x || b.x + b.width <= a.x ||
                               a.y + aHeight <= b.y || b.y + bHeight <= a.y;
            EXPECT_TRUE(apart) << static_cast<int>(a.id) << " overlaps " << static_cast<int>(b.id);
        }
    }
}

class RecordingDriver : public TimerDriver {
  public:
    void StartTicking(std::int32_t milliseconds) override {
        calls.push_back("start " + std::to_string(milliseconds));
    }
    void StopTicking() override { calls.push_back("stop"); }
    std::vector<std::string> calls;
};

TEST(PeriodTimer, AppliesThePeriodRules) {
    struct Step {
        std::int32_t write;
        std::int32_t periodAfter;
        std::vector<std::string> calls;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"first_write_starts", {{100, 100, {"start 100"}}}},
        {"same_value_keeps_the_countdown", {{100, 100, {"start 100"}}, {100, 100, {}}}},
        {"new_value_restarts", {{100, 100, {"start 100"}}, {500, 500, {"stop", "start 500"}}}},
        {"zero_stops", {{100, 100, {"start 100"}}, {0, 0, {"stop"}}}},
        {"negative_stops_and_reads_zero", {{100, 100, {"start 100"}}, {-5, 0, {"stop"}}}},
        {"zero_on_stopped_changes_nothing", {{0, 0, {}}}},
        {"negative_on_stopped_changes_nothing", {{-5, 0, {}}}},
        {"largest_period", {{2147483647, 2147483647, {"start 2147483647"}}}},
        {"smallest_int_is_zero", {{100, 100, {"start 100"}}, {-2147483647 - 1, 0, {"stop"}}}},
    };
    for (const Case& c : cases) {
        RecordingDriver driver;
        PeriodTimer timer(driver);
        EXPECT_EQ(timer.Read(), 0) << c.name;
        for (const Step& step : c.steps) {
            driver.calls.clear();
            timer.Write(step.write);
            EXPECT_EQ(timer.Read(), step.periodAfter) << c.name << " write " << step.write;
            EXPECT_EQ(driver.calls, step.calls) << c.name << " write " << step.write;
        }
    }
}

}  // namespace
}  // namespace korrelin
