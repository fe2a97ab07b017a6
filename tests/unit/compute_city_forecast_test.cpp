#include "pointforecast/compute_city_forecast.h"

#include "bulletin_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

city_forecast forecast_of(const std::vector<bulletin>& all, double eta_weight) {
    forecast_arrays a;
    const read_result r = read_text(file_text(all), a);
    EXPECT_TRUE(r.valid && r.temp_pop && r.sky_wind) << r.why.what;
    city_forecast f;
    fault why;
    EXPECT_TRUE(compute_city_forecast(a, eta_weight, f, why)) << why.what;
    return f;
}

std::string sky_row(const std::string& first, const std::string& rest) {
    std::string row = "SKY " + first;
    for (int i = 1; i < 23; ++i) row += " " + rest;
    return row;
}

} // namespace

// A weight so large that a blend overflows is refused, not printed as "-nan".
TEST(ComputeCityForecast, WeightThatOverflowsIsRefused) {
    forecast_arrays a;
    ASSERT_TRUE(read_text(file_text(valid_bulletins()), a).sky_wind);
    city_forecast f;
    fault why;
    EXPECT_FALSE(compute_city_forecast(a, 1e308, f, why));
    EXPECT_EQ(why.kind, fault_kind::bad_weight);
    EXPECT_EQ(why.what, "day 1 LowTemp comes out as no finite number");
    EXPECT_TRUE(compute_city_forecast(a, -1e6, f, why));
    EXPECT_TRUE(std::isfinite(f.day[0][0].value));
}

TEST(ComputeCityForecast, SkyCoverEntersTheCloudBlendAsTenths) {
    std::vector<bulletin> all = blend_bulletins();
    for (int s = 0; s < 4; ++s) set_row(all[s], sky_row("50", "50"));
    const city_forecast f = forecast_of(all, 1.0);
    // 50 percent at every station is 5 tenths, the fraction 0.5 times the weights' sum.
    EXPECT_DOUBLE_EQ(f.cloud[0].value, 0.500002073);
    EXPECT_FALSE(f.cloud[0].fewer_stations);
    // A missing sky cover is left out, the others standing for the four.
    for (const char* missing : {"999", "-99"}) {
        set_row(all[0], sky_row(missing, "50"));
        const city_forecast without = forecast_of(all, 1.0);
        EXPECT_DOUBLE_EQ(without.cloud[0].value, f.cloud[0].value);
        EXPECT_TRUE(without.cloud[0].fewer_stations);
        EXPECT_FALSE(without.cloud[1].fewer_stations);
    }
    // The first model's weight goes to the sky covers, the rest to the AVN cloud codes.
    EXPECT_DOUBLE_EQ(forecast_of(all, 0.0).cloud[0].value,
                     forecast_of(valid_bulletins(), 0.0).cloud[0].value);
}

// Cloud words have no marker of a missing value: an absent station must be left out by
// its absence, at the short-range and the extended hours.
TEST(ComputeCityForecast, AbsentStationsCloudIsLeftOut) {
    std::vector<bulletin> all = valid_bulletins();
    all[5] = absent_bulletin(5);
    all[9] = absent_bulletin(9);
    const city_forecast f = forecast_of(all, 0.0);
    // Every station present says OV at hour 6.
    EXPECT_DOUBLE_EQ(f.cloud[0].value, 1.000004146);
    EXPECT_TRUE(f.cloud[0].fewer_stations);
    EXPECT_EQ(f.sources.cloud[0].stations, 7);
    EXPECT_EQ(f.sources.cloud[short_rows + 1].stations, 3);
    EXPECT_TRUE(f.cloud[short_rows + 1].fewer_stations);
}
