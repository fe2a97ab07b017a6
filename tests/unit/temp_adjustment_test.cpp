#include "arith/temp_adjustment.h"

#include <gtest/gtest.h>

TEST(ComputeTempAdjustment, FromWindHumidityAndLapse) {
    const temp_adjustment a = compute_temp_adjustment(20, 12, 60, 10);
    EXPECT_DOUBLE_EQ(a.adj, 4); // 2 + 1.2 + 0.8
    EXPECT_DOUBLE_EQ(a.plus, 24);
    EXPECT_DOUBLE_EQ(a.minus, 16);
    const temp_adjustment windy = compute_temp_adjustment(5, 5, 100, 40);
    EXPECT_DOUBLE_EQ(windy.adj, -1);
    EXPECT_LT(windy.plus, windy.minus);
    EXPECT_DOUBLE_EQ(compute_temp_adjustment(0, 0, 100, 0).adj, 3); // calm, saturated
}
