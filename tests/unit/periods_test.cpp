#include "pointforecast/periods.h"

#include "calendar/iso_date.h"
#include "calendar/local_time.h"
#include "pointforecast/compute_city_forecast.h"

#include "bulletin_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

struct period_run {
    loaded_bulletins loaded;
    city_forecast forecast;
    std::vector<forecast_period> periods;
};

// The periods of a bulletin file at weight 0.7, its values changed first.
period_run run_periods(
    const std::string& text, const flag_limits& limits = {},
    const std::function<void(bulletin_values&)>& change = [](bulletin_values&) {}) {
    period_run r;
    std::istringstream in(text, std::ios::in | std::ios::binary);
    fault why;
    EXPECT_TRUE(load_bulletin_file(in, "week.txt", r.loaded, why)) << why.what;
    change(r.loaded.values);
    EXPECT_TRUE(compute_city_forecast(r.loaded.values, 0.7, r.forecast, why)) << why.what;
    r.periods = forecast_periods(r.loaded, r.forecast, limits);
    return r;
}

// The valid file with every header dated date.
std::string dated(const std::string& date) {
    std::string text = file_text(valid_bulletins());
    for (std::size_t at = text.find("3/04/2010"); at != std::string::npos;
         at = text.find("3/04/2010", at))
        text.replace(at, 9, date);
    return text;
}

int count_flags(const forecast_period& p, flag_kind kind) {
    int n = 0;
    for (const period_flag& f : p.flags) n += f.kind == kind ? 1 : 0;
    return n;
}

// Every station of the short-range models gives row value index of day 1 as first and second.
void set_day_one(bulletin_values& v, std::int32_t* (*at)(short_temp_pop&), std::int32_t first,
                 std::int32_t second) {
    for (int s = 0; s < station_count; ++s) {
        *at(v.eta_temp_pop[s]) = first;
        *at(v.avn_temp_pop[s]) = second;
    }
}

std::int32_t* day_one_high(short_temp_pop& b) {
    return &b.temp[1];
}

} // namespace

TEST(ForecastPeriods, NamedAndTimedOnTheCityClockAcrossZoneChangesAndYearEnds) {
    struct {
        const char* date;
        const char* names[3];
        const char* short_night;
        const char* tonight_start;
        const char* tonight_end;
    } cases[] = {
        // Daylight time begins on Sunday 14 March 2010 at 08 UTC.
        {"3/13/2010",
         {"Tonight", "Sunday", "Sunday Night"},
         "Sun Night",
         "2010-03-13T18:00:00-06:00",
         "2010-03-14T07:00:00-05:00"},
        // It ends on Sunday 1 November 2026 at 07 UTC, a month's first day.
        {"10/31/2026",
         {"Tonight", "Sunday", "Sunday Night"},
         "Sun Night",
         "2026-10-31T19:00:00-05:00",
         "2026-11-01T06:00:00-06:00"},
        {"12/31/2026",
         {"Tonight", "Friday", "Friday Night"},
         "Fri Night",
         "2026-12-31T18:00:00-06:00",
         "2027-01-01T06:00:00-06:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.date);
        const period_run r = run_periods(dated(c.date));
        ASSERT_EQ(r.periods.size(), 14u);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(r.periods[i].name, c.names[i]);
        EXPECT_EQ(iso_local_time(city_time(r.periods[0].start)), c.tonight_start);
        EXPECT_EQ(iso_local_time(city_time(r.periods[0].end)), c.tonight_end);
        // Each period starts where the one before it ends.
        for (std::size_t i = 1; i < r.periods.size(); ++i)
            EXPECT_EQ(iso_time(r.periods[i].start), iso_time(r.periods[i - 1].end));
        EXPECT_EQ(r.periods[2].short_name, c.short_night);
    }
}

TEST(ForecastPeriods, TodayOnlyWhereTheNbsGivesTodaysHigh) {
    const period_run nam = run_periods(file_text(valid_bulletins()));
    EXPECT_EQ(nam.periods.front().name, "Tonight");
    const period_run nbs = run_periods(file_text(blend_bulletins()));
    ASSERT_EQ(nbs.periods.size(), 15u);
    const forecast_period& today = nbs.periods.front();
    EXPECT_EQ(today.name, "Today");
    EXPECT_EQ(iso_local_time(city_time(today.start)), "2010-03-04T06:00:00-06:00");
    // The high and probability are the NBS's alone, at hour 12; the dew point is blended.
    const period_value& high = today.values[temperature_element];
    EXPECT_EQ(high.source, period_source::first);
    EXPECT_FALSE(high.second.given);
    EXPECT_EQ(std::vector<int>(high.first.values, high.first.values + 4),
              (std::vector<int>{72, 41, 42, 41}));
    EXPECT_EQ(today.values[pop_element].value, rounded_value(nbs.forecast.today[5].value));
    EXPECT_EQ(today.values[dew_point_element].source, period_source::blend);
    EXPECT_TRUE(today.sky && today.wind.exists);
    // From Tonight on, the periods hold the day table's values, rounded.
    for (std::size_t i = 1; i < nbs.periods.size(); ++i) {
        const forecast_period& p = nbs.periods[i];
        EXPECT_EQ(p.values[temperature_element].value,
                  rounded_value(nbs.forecast.day[p.day - 1][p.night ? 0 : 1].value));
    }
}

TEST(RoundedValue, HalvesGoAwayFromZero) {
    EXPECT_EQ(rounded_value(20.5), 21);
    EXPECT_EQ(rounded_value(-20.5), -21);
    EXPECT_EQ(rounded_value(20.499999999), 20);
    EXPECT_EQ(rounded_value(-0.5), -1);
    EXPECT_EQ(rounded_value(-0.49), 0);
}

TEST(ForecastPeriods, EachFlagAtItsThreshold) {
    const std::string text = file_text(valid_bulletins());
    // Friday, day 1's daytime: the first model's high 6 above the second's.
    auto apart = [](bulletin_values& v) { set_day_one(v, day_one_high, 46, 40); };
    const period_run base = run_periods(text, {}, apart);
    const period_value& high = base.periods[1].values[temperature_element];
    const double difference = high.first.city - high.second.city;
    EXPECT_EQ(count_flags(base.periods[1], flag_kind::guidances_differ), 1);
    flag_limits wider;
    wider.temperature_difference = std::nextafter(difference, 100.0);
    EXPECT_EQ(count_flags(run_periods(text, wider, apart).periods[1], flag_kind::guidances_differ),
              0);

    // One station 14.5 from the median 40.5 of its model's four.
    auto odd = [](bulletin_values& v) {
        const std::int32_t highs[4] = {40, 40, 41, 55};
        for (int s = 0; s < station_count; ++s) v.eta_temp_pop[s].temp[1] = highs[s];
    };
    flag_limits outlier;
    outlier.station_outlier = 14.5;
    EXPECT_EQ(count_flags(run_periods(text, outlier, odd).periods[1], flag_kind::station_outlier),
              1);
    outlier.station_outlier = 14.6;
    EXPECT_EQ(count_flags(run_periods(text, outlier, odd).periods[1], flag_kind::station_outlier),
              0);

    // A station at the range's ends is plausible, one beyond them is not; a city value
    // beyond them is flagged too.
    for (int value : {120, 121, -60, -61}) {
        SCOPED_TRACE(value);
        flag_limits none;
        none.station_outlier = 1000;
        const period_run r = run_periods(
            text, none, [value](bulletin_values& v) { v.avn_temp_pop[2].temp[1] = value; });
        EXPECT_EQ(count_flags(r.periods[1], flag_kind::implausible),
                  value == 121 || value == -61 ? 1 : 0);
    }
    const period_run hot =
        run_periods(text, {}, [](bulletin_values& v) { set_day_one(v, day_one_high, 130, 130); });
    EXPECT_EQ(count_flags(hot.periods[1], flag_kind::implausible), 9);

    // The probabilities of Tonight 30 points apart, then 29.
    for (int second : {10, 11}) {
        const period_run r = run_periods(text, {}, [second](bulletin_values& v) {
            set_day_one(
                v, [](short_temp_pop& b) { return &b.pop12[0]; }, 40, second);
        });
        EXPECT_EQ(count_flags(r.periods[0], flag_kind::guidances_differ), second == 10 ? 1 : 0);
    }

    // Tonight's dew point above its low as issued, rounded; equal is no flag.
    for (int dew : {20, 21}) {
        const period_run r = run_periods(text, {}, [dew](bulletin_values& v) {
            set_day_one(
                v, [](short_temp_pop& b) { return &b.temp[0]; }, 20, 20);
            set_day_one(
                v, [](short_temp_pop& b) { return &b.dew_point[0]; }, dew, dew);
        });
        EXPECT_EQ(count_flags(r.periods[0], flag_kind::dew_point_above_temperature),
                  dew == 21 ? 1 : 0);
    }
}

TEST(ForecastPeriods, MissingStationIsLeftOutOfTheEvidenceAndTheMedian) {
    const period_run r = run_periods(file_text(valid_bulletins()), {}, [](bulletin_values& v) {
        v.eta_temp_pop[1].temp[1] = missing_temp_pop_value;
        v.eta_temp_pop[3].temp[1] = 70; // against the other two's 36: the odd one of three
    });
    const period_value& high = r.periods[1].values[temperature_element];
    EXPECT_FALSE(high.first.present[1]);
    EXPECT_TRUE(high.second.present[1]);
    EXPECT_EQ(count_flags(r.periods[1], flag_kind::station_outlier), 1);
}

TEST(ForecastPeriods, SkyWordsWindPointsAndPeriodsOfATime) {
    EXPECT_STREQ(sky_words(0.124, false), "sunny");
    EXPECT_STREQ(sky_words(0.125, true), "mostly clear");
    EXPECT_STREQ(sky_words(0.625, false), "mostly cloudy");
    EXPECT_STREQ(sky_words(0.875, true), "cloudy");
    EXPECT_STREQ(compass_point_name(compass_point(35.67)), "N");
    EXPECT_STREQ(compass_point_name(compass_point(1.12)), "N");
    EXPECT_STREQ(compass_point_name(compass_point(1.13)), "NNE");
    EXPECT_STREQ(compass_point_name(compass_point(27)), "W");
    const period_run r = run_periods(file_text(valid_bulletins()));
    // A time at a period's end is that period's; at its start, the one before.
    EXPECT_EQ(period_at(r.periods, utc_time{2010, 3, 5, 12}), 0);
    EXPECT_EQ(period_at(r.periods, utc_time{2010, 3, 5, 13}), 1);
    EXPECT_EQ(period_at(r.periods, utc_time{2010, 3, 5, 0}), -1);
}
