#include "arith/blended_station_sum.h"
#include "arith/blended_wind_direction.h"
#include "arith/present_blended_sum.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

// The direction as the report prints it, or "none" when there is none.
std::string blended(const std::int32_t* directions, const std::int32_t* speeds, const bool* present,
                    double eta_weight = 0.7) {
    double direction = -1;
    if (!blended_wind_direction(eta_weight, 1 - eta_weight, directions, speeds, present, direction))
        return "none";
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", direction);
    return text;
}

const bool all[8] = {true, true, true, true, true, true, true, true};
const std::int32_t breeze[8] = {8, 8, 8, 8, 8, 8, 8, 8};

} // namespace

TEST(BlendedWindDirection, SetsAcrossNorthBlendNortherly) {
    // The sample file's 12 h and 18 h: ETA then AVN (GFS), stations in order.
    const std::int32_t at_12[8] = {34, 35, 36, 1, 35, 36, 1, 2};
    const std::int32_t at_18[8] = {35, 36, 1, 2, 36, 1, 2, 3};
    EXPECT_EQ(blended(at_12, breeze, all), "35.67");
    EXPECT_EQ(blended(at_18, breeze, all), "0.67");
    // A direction of 0 in a wind that blows is north, not calm.
    const std::int32_t zero_blowing[8] = {0, 35, 0, 35, 0, 35, 0, 35};
    EXPECT_EQ(blended(zero_blowing, breeze, all), "35.57");
    // Only the directions below 18 go round: 18 itself stays.
    const std::int32_t with_18[8] = {1, 18, 36, 36, 1, 18, 36, 36};
    EXPECT_EQ(blended(with_18, breeze, all), "33.12");
}

TEST(BlendedWindDirection, SetWithinHalfACircleIsTheLinearBlend) {
    // A spread of exactly 18 does not span north.
    const std::int32_t south[8] = {18, 20, 25, 36, 18, 22, 30, 36};
    double direction = -1;
    ASSERT_TRUE(blended_wind_direction(0.7, 1 - 0.7, south, breeze, all, direction));
    EXPECT_EQ(direction, blended_station_sum(0.7, 1 - 0.7, south));
}

TEST(BlendedWindDirection, CalmAndMissingDirectionsAreLeftOut) {
    const std::int32_t directions[8] = {1, 0, 33, 22, 1, 0, 33, 22};
    const std::int32_t speeds[8] = {5, 0, 7, 6, 5, 0, 7, 6};
    // KHON is calm in both models: the others span north, so 01 counts as 37.
    const std::int32_t turned[8] = {37, 0, 33, 22, 37, 0, 33, 22};
    const bool blowing[8] = {true, false, true, true, true, false, true, true};
    double expected = 0;
    ASSERT_TRUE(present_blended_sum(0.7, 1 - 0.7, turned, blowing, expected));
    double direction = -1;
    ASSERT_TRUE(blended_wind_direction(0.7, 1 - 0.7, directions, speeds, all, direction));
    EXPECT_EQ(direction, expected);

    // A missing direction (99 in the file) is left out the same way.
    const std::int32_t missing[8] = {1, 99, 33, 22, 1, 99, 33, 22};
    ASSERT_TRUE(blended_wind_direction(0.7, 1 - 0.7, missing, breeze, blowing, direction));
    EXPECT_EQ(direction, expected);
}

TEST(BlendedWindDirection, NothingLeft) {
    const std::int32_t calm[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    const std::int32_t still[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    const bool none[8] = {false, false, false, false, false, false, false, false};
    const bool one_calm[8] = {false, false, true, false, false, false, false, false};
    struct {
        const char* what;
        const bool* present;
        const char* direction;
    } const cases[] = {
        {"all calm", all, "0.00"},
        {"one calm, the rest missing", one_calm, "0.00"},
        {"all missing", none, "none"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(blended(calm, still, c.present), c.direction);
    }
}
