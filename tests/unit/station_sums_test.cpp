#include "arith/station_sums.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// The text printf's %g gives, which is what the tables show.
std::string g6(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

const station_presence all = {true, true, true, true};
const station_presence none = {false, false, false, false};

} // namespace

TEST(WeightedStationSum, EqualValuesGiveTheWeightTotal) {
    // The weights add up to 1.000004146, and are never normalised.
    const station_set zeros = {0, 0, 0, 0}, tens = {10, 10, 10, 10}, fifties = {50, 50, 50, 50};
    EXPECT_EQ(weighted_station_sum(zeros), 0.0);
    EXPECT_EQ(g6(weighted_station_sum(tens)), "10");
    EXPECT_EQ(g6(weighted_station_sum(fifties)), "50.0002");
}

TEST(WeightedStationSum, AddsInStationOrder) {
    // Added from KFSD back, or in two pairs, the last bits come out as 1.181045402.
    const station_set set = {-7, 36, 1, -12};
    EXPECT_EQ(weighted_station_sum(set), 1.1810454019999996);
}

TEST(BlendedStationSum, WeightsPickOrMixTheModels) {
    const model_pair pair = {{50, 50, 50, 50}, {60, 60, 60, 60}};
    EXPECT_EQ(g6(blended_station_sum(1, 0, pair)), "50.0002");
    EXPECT_EQ(g6(blended_station_sum(0, 1, pair)), "60.0002");
    EXPECT_EQ(g6(blended_station_sum(0.5, 1 - 0.5, pair)), "55.0002");
    // Beyond 0 to 1 the blend extrapolates past the first model.
    EXPECT_EQ(g6(blended_station_sum(1.5, -0.5, pair)), "45.0002");
    const model_pair spread = {{36, 1, 36, 1}, {36, 1, 36, 1}};
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", blended_station_sum(0.3, 1 - 0.3, spread));
    EXPECT_STREQ(text, "20.92");
}

TEST(PresentStationSum, ScalesThePresentStationsToAllWeights) {
    const station_set set = {10, 20, 30, 40};
    struct {
        const char* what;
        station_presence present;
        bool ok;
        const char* sum;
    } const cases[] = {
        {"all four", {true, true, true, true}, true, "23.6522"},
        {"KHON missing", {true, false, true, true}, true, "24.4506"},
        {"only KHON", {false, true, false, false}, true, "20.0001"},
        {"none", {false, false, false, false}, false, "-1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        double sum = -1;
        EXPECT_EQ(present_station_sum(set, c.present, sum), c.ok);
        EXPECT_EQ(g6(sum), c.sum);
    }
    // Equal values still give the weight total without a station.
    const station_set fifties = {50, 50, 50, 50};
    for (int missing = 0; missing < station_count; ++missing) {
        station_presence present = {true, true, true, true};
        present[missing] = false;
        double sum = 0;
        ASSERT_TRUE(present_station_sum(fifties, present, sum));
        EXPECT_EQ(g6(sum), "50.0002") << "station " << missing;
    }
}

TEST(PresentBlendedSum, ModelsWithMissingStations) {
    const model_pair pair = {{50, 50, 50, 50}, {60, 60, 60, 60}};
    const station_presence three = {true, true, false, true};
    struct {
        const char* what;
        const station_presence& first;
        const station_presence& second;
        bool ok;
        const char* sum;
    } const cases[] = {
        {"all eight", all, all, true, "53.0002"},
        {"one ETA station missing", three, all, true, "53.0002"},
        // The other model's sum alone, not scaled by its weight.
        {"ETA missing at every station", none, all, true, "60.0002"},
        {"AVN missing at every station", all, none, true, "50.0002"},
        {"missing everywhere", none, none, false, "-1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        pair_presence present;
        for (int s = 0; s < station_count; ++s) {
            present.first[s] = c.first[s];
            present.second[s] = c.second[s];
        }
        double sum = -1;
        EXPECT_EQ(present_blended_sum(0.7, 1 - 0.7, pair, present, sum), c.ok);
        EXPECT_EQ(g6(sum), c.sum);
    }
}
