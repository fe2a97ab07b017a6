#include "chart/chart_marks.h"

#include <gtest/gtest.h>

#include <sstream>

// The meteograms' labels stay whole numbers; tenths never read "-0.0".
TEST(DrawValueLabels, RoundsToTheDecimalsAsked) {
    const value_label labels[] = {{100, 100, -0.04, 1, "#000"}, {300, 100, 2.25, 1, "#000"}};
    std::ostringstream whole, tenths;
    draw_value_labels(whole, labels, 2, nullptr, 0);
    draw_value_labels(tenths, labels, 2, nullptr, 0, 1);
    EXPECT_NE(whole.str().find(">0</text>"), std::string::npos);
    EXPECT_NE(whole.str().find(">2</text>"), std::string::npos);
    EXPECT_NE(tenths.str().find(">0.0</text>"), std::string::npos);
    EXPECT_NE(tenths.str().find(">2.2</text>"), std::string::npos);
}
