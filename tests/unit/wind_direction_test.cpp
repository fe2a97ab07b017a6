#include "arith/wind_direction.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

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

const pair_presence all = {{true, true, true, true}, {true, true, true, true}};
const model_pair breeze = {{8, 8, 8, 8}, {8, 8, 8, 8}};

} // namespace

TEST(BlendedWindDirection, SetsAcrossNorthBlendNortherly) {
    // The sample file's 12 h and 18 h: ETA then AVN (GFS), stations in order.
    EXPECT_EQ(blended({{34, 35, 36, 1}, {35, 36, 1, 2}}, breeze, all), "35.67");
    EXPECT_EQ(blended({{35, 36, 1, 2}, {36, 1, 2, 3}}, breeze, all), "0.67");
    // A direction of 0 in a wind that blows is north, not calm.
    EXPECT_EQ(blended({{0, 35, 0, 35}, {0, 35, 0, 35}}, breeze, all), "35.57");
    // Only the directions below 18 go round: 18 itself stays.
    EXPECT_EQ(blended({{1, 18, 36, 36}, {1, 18, 36, 36}}, breeze, all), "33.12");
    // A spread of exactly 18 does not span north: the plain blend.
    EXPECT_EQ(blended({{18, 20, 25, 36}, {18, 22, 30, 36}}, breeze, all), "24.83");
}

TEST(BlendedWindDirection, CalmAndMissingDirectionsAreLeftOut) {
    // KHON is calm in both models: the others span north, so 01 counts as 37.
    const model_pair directions = {{1, 0, 33, 22}, {1, 0, 33, 22}};
    const model_pair speeds = {{5, 0, 7, 6}, {5, 0, 7, 6}};
    EXPECT_EQ(blended(directions, speeds, all), "31.35");
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
        {"all calm", all, "0.00"},
        {"one calm, the rest missing", one_calm, "0.00"},
        {"all missing", none, "none"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(blended(calm, calm, c.present), c.direction);
    }
}
