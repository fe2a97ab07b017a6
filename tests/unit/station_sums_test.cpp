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

namespace {

// The direction as the report prints it, or "none" when there is none.
std::string blended(const model_pair& directions, const model_pair& speeds,
                    const pair_presence& present, double eta_weight = 0.7) {
    double direction = -1;
    if (!blended_wind_direction(eta_weight, 1 - eta_weight, directions, speeds, present, direction))
        return "none";
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", direction);
    return text;
}

const pair_presence all_eight = {{true, true, true, true}, {true, true, true, true}};
const model_pair breeze = {{8, 8, 8, 8}, {8, 8, 8, 8}};

} // namespace

TEST(BlendedWindDirection, SetsAcrossNorthBlendNortherly) {
    // The sample file's 12 h and 18 h: ETA then AVN (GFS), stations in order.
    EXPECT_EQ(blended({{34, 35, 36, 1}, {35, 36, 1, 2}}, breeze, all_eight), "35.67");
    EXPECT_EQ(blended({{35, 36, 1, 2}, {36, 1, 2, 3}}, breeze, all_eight), "0.67");
    // A direction of 0 in a wind that blows is north, not calm.
    EXPECT_EQ(blended({{0, 35, 0, 35}, {0, 35, 0, 35}}, breeze, all_eight), "35.57");
    // Only the directions below 18 go round: 18 itself stays.
    EXPECT_EQ(blended({{1, 18, 36, 36}, {1, 18, 36, 36}}, breeze, all_eight), "33.12");
    // A spread of exactly 18 does not span north: the plain blend.
    EXPECT_EQ(blended({{18, 20, 25, 36}, {18, 22, 30, 36}}, breeze, all_eight), "24.83");
}

TEST(BlendedWindDirection, CalmAndMissingDirectionsAreLeftOut) {
    // KHON is calm in both models: the others span north, so 01 counts as 37.
    const model_pair directions = {{1, 0, 33, 22}, {1, 0, 33, 22}};
    const model_pair speeds = {{5, 0, 7, 6}, {5, 0, 7, 6}};
    EXPECT_EQ(blended(directions, speeds, all_eight), "31.35");
    // A missing direction (99 in the file) is left out the same way.
    const model_pair missing = {{1, 99, 33, 22}, {1, 99, 33, 22}};
    const pair_presence without_khon = {{true, false, true, true}, {true, false, true, true}};
    EXPECT_EQ(blended(missing, breeze, without_khon), "31.35");
}

TEST(BlendedWindDirection, NothingLeft) {
    const model_pair calm = {{0, 0, 0, 0}, {0, 0, 0, 0}};
    const pair_presence none = {{false, false, false, false}, {false, false, false, false}};
    const pair_presence one_calm = {{false, false, true, false}, {false, false, false, false}};
    struct {
        const char* what;
        const pair_presence& present;
        const char* direction;
    } const cases[] = {
        {"all calm", all_eight, "0.00"},
        {"one calm, the rest missing", one_calm, "0.00"},
        {"all missing", none, "none"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(blended(calm, calm, c.present), c.direction);
    }
}
