#include "calendar/utc_time.h"
#include "verify/observations.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const double none = std::nan("");

long long day(int year, int month, int date) {
    return days_since_epoch(utc_time{year, month, date, 0});
}

} // namespace

TEST(ObservationStations, TakesIdsWithOrWithoutK) {
    EXPECT_EQ(station_index("KFSD"), 3);
    EXPECT_EQ(station_index("fsd"), 3);
    EXPECT_EQ(station_index("Kbkx"), 0);
    EXPECT_EQ(station_index("KDSM"), -1);
    EXPECT_EQ(station_index("KKFSD"), -1);
    EXPECT_EQ(station_index(""), -1);
}

TEST(ObservationTaking, LeavesOutAbsurdValuesAndKeepsWhatNaNWouldReplace) {
    observations into;
    warning_list warnings;
    take_observation(into, day(2026, 12, 8), 3, true, -80, "a.csv", 2, warnings);
    take_observation(into, day(2026, 12, 8), 3, false, 140, "a.csv", 2, warnings);
    take_observation(into, day(2026, 12, 8), 3, true, std::nan(""), "a.csv", 3, warnings);
    take_observation(into, day(2026, 12, 9), 3, true, std::nan(""), "a.csv", 4, warnings);
    take_observation(into, day(2026, 12, 8), 3, true, 150, "a.csv", 7, warnings);
    ASSERT_EQ(into.days.size(), 1u);
    const auto& stations = into.days.at(day(2026, 12, 8));
    EXPECT_EQ(stations[3].max_f, -80);
    EXPECT_EQ(stations[3].min_f, 140);
    EXPECT_TRUE(std::isnan(stations[0].max_f) && std::isnan(stations[2].min_f));
    ASSERT_EQ(warnings.kept.size(), 1u);
    EXPECT_EQ(warnings.kept[0].what,
              "KFSD 2026-12-08: maximum 150 °F is outside -80 to 140 °F, left out");
    EXPECT_EQ(warnings.kept[0].file, "a.csv");
    EXPECT_EQ(warnings.kept[0].line, 7);
    // Past the first few, warnings of a kind are counted, not kept.
    for (int i = 0; i < 399999; ++i)
        take_observation(into, day(2026, 12, 8), 0, false, -81, "a.csv", 8 + i, warnings);
    EXPECT_EQ(warnings.kept.size(), static_cast<std::size_t>(kept_warnings));
    const std::vector<std::string> lines = warning_lines(warnings);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kept_warnings) + 1);
    EXPECT_EQ(lines[1],
              "a.csv:8: KBKX 2026-12-08: minimum -81 °F is outside -80 to 140 °F, left out");
    EXPECT_EQ(lines.back(), "and 399,990 more readings outside -80 to 140 °F");
}

TEST(ObservationCity, MissingStationsAreScaledToTheFullWeight) {
    observations in;
    const long long date = 20000;
    in.days[date] = {station_day{40, 10}, {none, none}, {none, 12}, {60, none}};
    in.days[date + 1].fill({50, 50});
    in.days[date + 2].fill({none, none});
    observed_table observed;
    warning_list warnings;
    observe_windows(in, (date + 10) * 1440, observed, warnings);
    observed_value max{}, min{};
    ASSERT_TRUE(observed_city_value(observed, date, true, max));
    ASSERT_TRUE(observed_city_value(observed, date, false, min));
    EXPECT_NEAR(max.value, 48.31508297828005, 1e-12);
    EXPECT_NEAR(min.value, 10.757883946829812, 1e-12);
    EXPECT_EQ(max.source, observed_source::daily);
    EXPECT_EQ(max.to - max.from, 1440);
    // Equal values give that value times the weights' sum, as a forecast's would.
    ASSERT_TRUE(observed_city_value(observed, date + 1, true, max));
    EXPECT_NEAR(max.value, 50 * 1.000004146, 1e-12);
    EXPECT_FALSE(observed_city_value(observed, date + 2, true, max));
    EXPECT_FALSE(observed_city_value(observed, date + 3, true, max));
}
