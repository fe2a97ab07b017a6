#include "chart/chart_layout.h"
#include "count_of.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

namespace {

void expect_scale(const value_scale& s, double min, double max, double step, int decimals) {
    EXPECT_NEAR(s.min, min, 1e-9);
    EXPECT_NEAR(s.max, max, 1e-9);
    EXPECT_NEAR(s.step, step, 1e-12);
    EXPECT_EQ(s.decimals, decimals);
}

} // namespace

TEST(NiceScale, FreeEndsRoundOutToTheCoarsestStepThatFits) {
    // 31 to 78 with room on both sides is 28.2 to 80.8: steps of 5 would need 12 ticks.
    expect_scale(nice_scale(31, 78, false, false, 8), 20, 90, 10, 0);
    // Precipitation in inches from zero: 0 to 1.38, in halves.
    expect_scale(nice_scale(0, 1.3, true, false, 4), 0, 1.5, 0.5, 1);
    // A flat series still gets a scale around it.
    expect_scale(nice_scale(50, 50, false, false, 4), 49.6, 50.4, 0.2, 1);
}

TEST(NiceScale, FixedEndsStayExactly) {
    expect_scale(nice_scale(0, 100, true, true, 4), 0, 100, 25, 0);
    // A step of 2.5 tenths needs one more decimal than its power of ten.
    expect_scale(nice_scale(0, 1, true, true, 4), 0, 1, 0.25, 2);
    // Reversed ends are swapped, and fewer than one step counts as one.
    expect_scale(nice_scale(10, 0, true, true, 5), 0, 10, 2, 0);
    expect_scale(nice_scale(0, 100, true, true, 0), 0, 100, 100, 0);
}

TEST(NiceScale, NonFiniteAndHugeInputsGiveAFiniteScale) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double inputs[][2] = {{nan, nan},  {-inf, inf}, {-1e300, 1e300}, {1e300, 1e300},
                                {0, 1e-300}, {0, 5e-324}, {nan, 5}};
    for (const auto& in : inputs) {
        for (bool fixed : {false, true}) {
            value_scale s = nice_scale(in[0], in[1], fixed, fixed, 6);
            SCOPED_TRACE(in[0]);
            ASSERT_TRUE(std::isfinite(s.min) && std::isfinite(s.max) && std::isfinite(s.step));
            EXPECT_LT(s.min, s.max);
            EXPECT_GT(s.step, 0);
            EXPECT_LE((s.max - s.min) / s.step, 6 + 1e-6);
            // Beyond a million millions nothing readable is left: the ends are clamped there
            // before they are rounded out.
            EXPECT_LE(std::fabs(s.min), 2e12);
            EXPECT_LE(std::fabs(s.max), 2e12);
        }
    }
}

// Drawn directly, an axis far too long still gets no day lines, day labels or hour ticks.
// A million hours keep the test quick even if the caps were lost.
TEST(ChartAxis, TooLongAnAxisDrawsNoDays) {
    time_axis axis{0, 1e6, 70, 1070, {2024, 3, 4, 0}, true, false};
    panel_box panel{86, 86, 296, value_scale{0, 100, 50, 0}};
    std::ostringstream out;
    { svg_group group = begin_panel(out, axis, panel, "p", "P", "u"); }
    draw_day_labels(out, axis, 56, true);
    draw_hour_ticks(out, axis, 296, "hours");
    EXPECT_EQ(count_of(out.str(), "day-line"), 0u);
    EXPECT_EQ(count_of(out.str(), "day-label"), 0u);
    EXPECT_EQ(count_of(out.str(), "x-tick"), 0u);
    EXPECT_LT(out.str().size(), 2000u);
}
