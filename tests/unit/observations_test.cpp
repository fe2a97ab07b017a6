#include "calendar/utc_time.h"
#include "verify/observations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

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

namespace {

long long at(int year, int month, int date, int hour, int minute) {
    return (day(year, month, date) * 24 + hour) * 60 + minute;
}

// KFSD's readings at 53 past each hour, value(minute) °F, from first to last (UTC).
void hourly(observations& in, long long first, long long last, double (*value)(long long)) {
    for (long long m = first; m <= last; m += 60)
        in.hourly[3].push_back({m, value(m), reading_kind::now});
}

} // namespace

// A week around the end of daylight saving time (1 November 2026): the windows stay in
// CST, an evening front lowers the next day's low, a gap and an unfinished day give none.
TEST(ObservationWindows, ExtremesOverTheGuidanceWindowsInStandardTime) {
    long long from = 0, to = 0;
    for (int month : {7, 11}) {
        guidance_window(day(2026, month, 2), true, from, to);
        EXPECT_EQ(from, at(2026, month, 2, 13, 0));
        EXPECT_EQ(to, at(2026, month, 3, 1, 0));
        guidance_window(day(2026, month, 2), false, from, to);
        EXPECT_EQ(from, at(2026, month, 2, 1, 0));
        EXPECT_EQ(to, at(2026, month, 2, 14, 0));
    }
    observations in;
    // 30 °F, 40 °F from noon to 6 PM CST, and a front at 10 PM CST on 1 November: 20 °F on.
    hourly(in, at(2026, 10, 30, 6, 53), at(2026, 11, 4, 17, 53), [](long long m) {
        const long long hour = (m / 60 + 18) % 24;
        if (m >= at(2026, 11, 2, 4, 0)) return 20.0;
        return hour >= 12 && hour < 18 ? 40.0 : 30.0;
    });
    // 4 hours without a reading in the night before 3 November.
    auto& r = in.hourly[3];
    r.erase(std::remove_if(r.begin(), r.end(),
                           [](const hourly_reading& x) {
                               return x.minute > at(2026, 11, 3, 6, 0) &&
                                      x.minute < at(2026, 11, 3, 9, 0);
                           }),
            r.end());
    // Six-hour groups: 18Z to 00Z lies inside the high's window, 12Z to 18Z does not.
    r.push_back({at(2026, 11, 1, 0, 53), 45, reading_kind::six_hour_max});
    r.push_back({at(2026, 10, 31, 17, 53), 50, reading_kind::six_hour_max});
    r.push_back({at(2026, 11, 1, 11, 53), 25, reading_kind::six_hour_min});
    // The hourly readings' own maximum of the day is the six-hour group's 50.
    in.days[day(2026, 10, 31)][3] = {48, 30};
    in.days[day(2026, 10, 31)][0] = {50, 40}; // another station: the daily value counts
    observed_table out;
    warning_list warnings;
    observe_windows(in, at(2027, 1, 1, 0, 0), out, warnings);
    const auto fsd = [&](int month, int date) { return out.days.at(day(2026, month, date))[3]; };
    EXPECT_EQ(fsd(10, 31).high.value, 45);
    EXPECT_EQ(fsd(10, 31).high.source, observed_source::hourly);
    EXPECT_EQ(fsd(11, 1).low.value, 25);
    EXPECT_EQ(fsd(11, 1).high.value, 40);
    EXPECT_EQ(fsd(11, 2).low.value, 20); // the front at 10 PM the evening before
    EXPECT_EQ(fsd(11, 2).high.value, 20);
    EXPECT_TRUE(std::isnan(fsd(11, 3).low.value));
    EXPECT_EQ(fsd(11, 4).low.value, 20);
    EXPECT_TRUE(std::isnan(fsd(11, 4).high.value)); // the last reading is at 11:53 CST
    EXPECT_EQ(out.days.at(day(2026, 10, 31))[0].high.value, 50);
    EXPECT_EQ(out.days.at(day(2026, 10, 31))[0].high.source, observed_source::daily);
    std::string said;
    for (const std::string& line : warning_lines(warnings)) said += line + "\n";
    for (const char* line :
         {"KFSD 2026-10-30: no observed low: 5.9 hours without a reading, 19:00 to 00:53 CST",
          "KFSD 2026-10-31: the daily maximum 48 °F differs by more than 1 °F from the hourly "
          "readings' 50.0 °F (midnight to midnight CST); the hourly readings count",
          "KFSD 2026-11-03: no observed low: 4.0 hours without a reading, 23:53 to 03:53 CST",
          "KFSD 2026-11-04: no observed high: its window (7 AM to 7 PM CST) is not over at the "
          "last reading"})
        EXPECT_NE(said.find(std::string(line) + "\n"), std::string::npos) << line << "\n" << said;
}
