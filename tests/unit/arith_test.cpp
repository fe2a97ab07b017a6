#include "arith/blended_station_sum.h"
#include "arith/compute_temp_adjustment.h"
#include "arith/station_weights.h"
#include "arith/unit_conversions.h"
#include "arith/weighted_station_sum.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

// The text printf's %g gives, which is what the tables show.
static std::string g6(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

TEST(WeightedStationSum, EqualValuesGiveTheWeightTotal) {
    const double total = ((0.353460408 + 0.1793834) + 0.215645378) + 0.25151496;
    std::int32_t zeros[4] = {0, 0, 0, 0};
    std::int32_t tens[4] = {10, 10, 10, 10};
    std::int32_t fifties[4] = {50, 50, 50, 50};
    EXPECT_EQ(weighted_station_sum(zeros), 0.0);
    EXPECT_DOUBLE_EQ(weighted_station_sum(tens), 10 * total);
    EXPECT_EQ(g6(weighted_station_sum(tens)), "10");
    EXPECT_EQ(g6(weighted_station_sum(fifties)), "50.0002");
}

TEST(WeightedStationSum, SingleStationPicksItsWeight) {
    for (int s = 0; s < 4; ++s) {
        std::int32_t set[4] = {0, 0, 0, 0};
        set[s] = 1;
        EXPECT_EQ(weighted_station_sum(set), station_weights[s]) << "station " << s;
    }
}

TEST(WeightedStationSum, AddsInStationOrder) {
    // A different order of additions would change the last bits.
    std::int32_t set[4] = {-7, 36, 1, -12};
    double p0 = -7 * 0.353460408, p1 = 36 * 0.1793834, p2 = 1 * 0.215645378;
    double p3 = -12 * 0.25151496;
    EXPECT_EQ(weighted_station_sum(set), ((p0 + p1) + p2) + p3);
}

TEST(BlendedStationSum, WeightsPickOrMixTheModels) {
    std::int32_t pair[8] = {50, 50, 50, 50, 60, 60, 60, 60};
    EXPECT_EQ(blended_station_sum(1, 0, pair), weighted_station_sum(pair));
    EXPECT_EQ(blended_station_sum(0, 1, pair), weighted_station_sum(pair + 4));
    EXPECT_EQ(g6(blended_station_sum(0.5, 1 - 0.5, pair)), "55.0002");
    // Beyond 0 to 1 the blend extrapolates past the first model.
    EXPECT_LT(blended_station_sum(1.5, -0.5, pair), weighted_station_sum(pair));
}

TEST(BlendedStationSum, SpreadDirectionsAverageLinearly) {
    std::int32_t pair[8] = {36, 1, 36, 1, 36, 1, 36, 1};
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", blended_station_sum(0.3, 1 - 0.3, pair));
    EXPECT_STREQ(text, "20.92");
}

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

TEST(UnitConversions, KnownValues) {
    EXPECT_EQ(celsius_to_fahrenheit(-40), -40);
    EXPECT_EQ(celsius_to_fahrenheit(0), 32);
    EXPECT_EQ(celsius_to_fahrenheit(100), 212);
    EXPECT_EQ(hpa_to_inhg(1013.25), 1013.25 / 33.86388158);
    EXPECT_EQ(g6(hpa_to_inhg(1013.25)), "29.9213");
    EXPECT_EQ(mm_to_inches(25.4), 1);
    EXPECT_EQ(g6(mm_to_inches(0.01)), "0.000393701");
    EXPECT_EQ(g6(mm_to_inches(0.001)), "3.93701e-05");
    EXPECT_DOUBLE_EQ(knots_to_mph(10), 11.5077945);
    EXPECT_EQ(g6(knots_to_mph(10)), "11.5078");
}
