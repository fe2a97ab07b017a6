#include "pointforecast/nbm_elements.h"

#include "pointforecast/compute_city_forecast.h"

#include "bulletin_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct nbm_run {
    loaded_bulletins loaded;
    std::vector<forecast_period> periods;
    std::vector<fault> notes;
    nbm_forecast nbm;
};

nbm_run run_nbm(const std::string& text) {
    nbm_run r;
    std::istringstream in(text, std::ios::in | std::ios::binary);
    fault why;
    EXPECT_TRUE(load_bulletin_file(in, "week.txt", r.loaded, why)) << why.what;
    city_forecast forecast;
    EXPECT_TRUE(compute_city_forecast(r.loaded.values, 0.7, forecast, why)) << why.what;
    r.periods = forecast_periods(r.loaded, forecast, {});
    nbm_bulletins bulletins{};
    read_nbm_bulletins(in, "week.txt", r.loaded.layout, bulletins, r.notes);
    r.nbm = nbm_city_forecast(bulletins, r.loaded.issued, r.periods);
    return r;
}

std::string redated(std::vector<bulletin> all, const std::string& date) {
    for (bulletin& b : all) {
        const std::size_t at = b[0].find("3/04/2010");
        if (at != std::string::npos) b[0].replace(at, 9, date);
    }
    return file_text(all);
}

} // namespace

TEST(WindChill, AgreesWithTheNwsTableWithinItsBounds) {
    const struct {
        double temp_f, wind_mph;
        long long chill;
    } table[] = {
        {40, 5, 36},  {40, 30, 28},   {30, 5, 25},    {0, 5, -11},    {0, 15, -19},
        {0, 30, -26}, {-20, 10, -41}, {-20, 30, -53}, {-45, 60, -98}, {25, 60, 3},
    };
    for (const auto& c : table) {
        SCOPED_TRACE(std::to_string(c.temp_f) + " F, " + std::to_string(c.wind_mph) + " mph");
        EXPECT_EQ(rounded_value(wind_chill(c.temp_f, c.wind_mph)), c.chill);
    }
    EXPECT_TRUE(std::isfinite(wind_chill(50, 3.01)));
    EXPECT_TRUE(std::isnan(wind_chill(50, 3)));
    EXPECT_TRUE(std::isnan(wind_chill(50.01, 20)));
    EXPECT_TRUE(std::isnan(wind_chill(NAN, 20)));
}

TEST(PrecipType, LargestMeanTiesGoingToTheMoreHazardous) {
    const double none = NAN;
    const struct {
        double means[precip_type_count];
        int type;
    } cases[] = {
        {{50, 50, 0, 0}, 0},
        {{0, 40, 40, 20}, 1},
        {{0, 30, 30, 40}, 3},
        {{10, 20, 35, 35}, 2},
        {{none, 30, none, 30}, 1},
        {{0, 0, 0, 0}, -1},
        {{none, none, none, none}, -1},
    };
    for (const auto& c : cases) EXPECT_EQ(precip_type_of(c.means), c.type);
}

TEST(NbmCityForecast, MissingStationsScaledAndRangeOfTheStations) {
    const nbm_run r = run_nbm(file_text(blend_bulletins()));
    EXPECT_TRUE(r.notes.empty());
    ASSERT_TRUE(r.nbm.given);
    // Hour 12: only KBKX (NBM 4.0) gives XND, 2; the others (NBM 3.2) have no spread rows.
    const nbm_city_value& txn = r.nbm.hour[2][nbm_max_min_temp];
    const double all_weights = 1.000004146;
    EXPECT_NEAR(txn.spread, 2 * all_weights, 1e-12);
    EXPECT_EQ(txn.stations, 4);
    EXPECT_EQ(txn.lowest, 41);
    EXPECT_EQ(txn.highest, 72);
    // Today: Q06 of hours 6 and 12 (5 + 18, 2 + 5, 4 + 0, 2 + 3 hundredths), weighted
    // 11.51; T12 of hour 12 (51, 21, 7, 16), weighted 27.33.
    const nbm_period& today = r.nbm.periods[0];
    ASSERT_EQ(r.periods[0].name, "Today");
    EXPECT_TRUE(today.given);
    EXPECT_EQ(today.precip_in, 0.12);
    EXPECT_EQ(today.thunder_pct, 27);
    EXPECT_EQ(today.station_lowest, 41);
    // Days 3 to 7 carry none, though the NBS reaches hour 72.
    for (std::size_t k = 0; k < r.periods.size(); ++k)
        EXPECT_EQ(r.nbm.periods[k].given, r.periods[k].day <= 2) << r.periods[k].name;
}

TEST(NbmCityForecast, NightOfTheChangeToDaylightTimeKeepsItsUtcHours) {
    // Daylight time begins at 08 UTC on Sunday 14 March 2027: Tonight runs from 6 PM CST to
    // 7 AM CDT, 00 to 12 UTC, hours 15 to 24 of the bulletins.
    const nbm_run r = run_nbm(redated(blend_bulletins(), "3/13/2027"));
    const forecast_period& tonight = r.periods[1];
    ASSERT_EQ(tonight.name, "Tonight");
    const nbm_period& n = r.nbm.periods[1];
    // Q06 of hours 18 and 24: 14 + 4, 3 + 2, 1 + 2, 0 + 19 hundredths, weighted: 12.68.
    EXPECT_EQ(n.precip_in, 0.13);
    // T12 of hour 24: 39, 19, 15, 6, weighted: 21.94.
    EXPECT_EQ(n.thunder_pct, 22);
    // The spread of the low at hour 24 is KBKX's XND alone, 3.
    EXPECT_EQ(n.spread, 3);
    // The highest gust of hours 15 to 24: hour 24's 11, 24, 25, 47 knots, weighted 25.41
    // knots, 29.24 mph.
    EXPECT_EQ(n.gust_mph, 29);
}

TEST(NbmCityForecast, UnreadableRowIsNamedWithItsLine) {
    std::vector<bulletin> all = blend_bulletins();
    set_row(all[3], "S06   0     0    x0     0     0     0     0     0     0     0     0     0");
    const nbm_run r = run_nbm(file_text(all));
    ASSERT_EQ(r.notes.size(), 1u);
    EXPECT_EQ(r.notes[0].file, "week.txt");
    EXPECT_EQ(r.notes[0].line, 136);
    EXPECT_NE(r.notes[0].what.find("bulletin 4 (KFSD NBM): the S06 row holds \"x0\""),
              std::string::npos);
    // KFSD counts as missing: the others' snow, scaled.
    EXPECT_EQ(r.nbm.hour[0][nbm_snowfall].stations, 3);
}
