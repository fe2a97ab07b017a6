#include "arith/blended_station_sum.h"
#include "arith/present_blended_sum.h"
#include "arith/present_station_sum.h"
#include "arith/station_weights.h"
#include "arith/weighted_station_sum.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

const double* const w = station_weights;
const double all_weights = ((w[0] + w[1]) + w[2]) + w[3];

} // namespace

TEST(PresentStationSum, ScalesThePresentStationsToAllWeights) {
    const std::int32_t set[4] = {10, 20, 30, 40};
    struct {
        const char* what;
        bool present[4];
        bool ok;
        double sum;
    } const cases[] = {
        {"all four", {true, true, true, true}, true, weighted_station_sum(set)},
        {"KHON missing",
         {true, false, true, true},
         true,
         (((10 * w[0] + 30 * w[2]) + 40 * w[3]) / ((w[0] + w[2]) + w[3])) * all_weights},
        {"only KHON", {false, true, false, false}, true, ((20 * w[1]) / w[1]) * all_weights},
        {"none", {false, false, false, false}, false, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        double sum = -1;
        EXPECT_EQ(present_station_sum(set, c.present, sum), c.ok);
        EXPECT_EQ(sum, c.sum);
    }
}

TEST(PresentStationSum, EqualValuesGiveTheWeightTotalWithOrWithoutAStation) {
    const std::int32_t fifties[4] = {50, 50, 50, 50};
    for (int missing = 0; missing < 4; ++missing) {
        bool present[4] = {true, true, true, true};
        present[missing] = false;
        double sum = 0;
        ASSERT_TRUE(present_station_sum(fifties, present, sum));
        EXPECT_NEAR(sum, 50 * all_weights, 1e-12) << "station " << missing;
    }
}

TEST(PresentBlendedSum, ModelsWithMissingStations) {
    const std::int32_t pair[8] = {50, 52, 54, 56, 60, 62, 64, 66};
    const bool all[4] = {true, true, true, true}, none[4] = {false, false, false, false};
    const bool three[4] = {true, true, false, true};
    double eta = 0, avn = 0, eta_three = 0;
    present_station_sum(pair, all, eta);
    present_station_sum(pair + 4, all, avn);
    present_station_sum(pair, three, eta_three);
    struct {
        const char* what;
        const bool* eta_present;
        const bool* avn_present;
        bool ok;
        double sum;
    } const cases[] = {
        {"all eight", all, all, true, blended_station_sum(0.7, 1 - 0.7, pair)},
        {"one ETA station missing", three, all, true, (0.7 * eta_three) + ((1 - 0.7) * avn)},
        // The other model's sum alone, not scaled by its weight.
        {"ETA missing at every station", none, all, true, avn},
        {"AVN missing at every station", all, none, true, eta},
        {"missing everywhere", none, none, false, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        bool present[8];
        for (int k = 0; k < 4; ++k) {
            present[k] = c.eta_present[k];
            present[4 + k] = c.avn_present[k];
        }
        double sum = -1;
        EXPECT_EQ(present_blended_sum(0.7, 1 - 0.7, pair, present, sum), c.ok);
        EXPECT_EQ(sum, c.sum);
    }
}
