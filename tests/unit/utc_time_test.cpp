#include "calendar/utc_time.h"

#include <gtest/gtest.h>

#include <ostream>

// Found by argument lookup: utc_time lives in the global namespace.
static bool operator==(const utc_time& a, const utc_time& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour;
}

static std::ostream& operator<<(std::ostream& out, const utc_time& t) {
    return out << t.year << '-' << t.month << '-' << t.day << ' ' << t.hour << 'h';
}

TEST(UtcTime, DaysSinceEpochOfKnownDates) {
    EXPECT_EQ(days_since_epoch({1970, 1, 1, 0}), 0);
    EXPECT_EQ(days_since_epoch({1969, 12, 31, 23}), -1);
    EXPECT_EQ(days_since_epoch({2000, 3, 1, 0}), 11017);
    EXPECT_EQ(days_since_epoch({2024, 3, 4, 0}), 19786);
    EXPECT_EQ(days_since_epoch({2400, 2, 29, 0}), 157113);
    EXPECT_EQ(days_since_epoch({1600, 1, 1, 0}), -135140);
    EXPECT_EQ(days_since_epoch({1, 1, 1, 0}), -719162);
    EXPECT_EQ(days_since_epoch({9999, 12, 31, 0}), 2932896);
}

TEST(UtcTime, AddHoursAcrossMonthYearAndLeapDaysBothWays) {
    const struct {
        utc_time from;
        long long hours;
        utc_time to;
    } cases[] = {
        {{2010, 3, 4, 12}, 12, {2010, 3, 5, 0}},
        {{2024, 1, 31, 23}, 1, {2024, 2, 1, 0}},
        {{2023, 12, 31, 23}, 1, {2024, 1, 1, 0}},
        {{2024, 2, 28, 12}, 24, {2024, 2, 29, 12}},
        {{2023, 2, 28, 12}, 24, {2023, 3, 1, 12}},
        {{2100, 2, 28, 0}, 24, {2100, 3, 1, 0}},  // no leap day in 2100
        {{2000, 2, 28, 0}, 24, {2000, 2, 29, 0}}, // but in 2000
        {{2024, 3, 4, 0}, 24 * 366, {2025, 3, 5, 0}},
        {{2024, 3, 4, 0}, 69914663, {9999, 12, 31, 23}},
        {{2024, 3, 1, 0}, -1, {2024, 2, 29, 23}},
        {{1970, 1, 1, 0}, -1, {1969, 12, 31, 23}},
        {{2024, 1, 1, 5}, -30, {2023, 12, 30, 23}},
        {{2024, 3, 4, 0}, -738948LL * 24, {1, 1, 1, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(add_hours(c.from, c.hours), c.to) << c.from;
    // A step no run makes comes back intact.
    EXPECT_EQ(add_hours(add_hours({2024, 3, 4, 7}, 2147483647), -2147483647),
              (utc_time{2024, 3, 4, 7}));
}

TEST(UtcTime, DayLabelsNameTheWeekday) {
    EXPECT_EQ(day_label({2010, 3, 4, 12}), "Thu 4 Mar");
    EXPECT_EQ(day_label({2024, 3, 4, 0}), "Mon 4 Mar");
    EXPECT_EQ(day_label({1969, 12, 31, 0}), "Wed 31 Dec"); // before the epoch
    EXPECT_EQ(day_label({2000, 2, 29, 0}), "Tue 29 Feb");
    EXPECT_EQ(day_label({1600, 1, 1, 0}), "Sat 1 Jan");
    EXPECT_EQ(day_label({2024, 0, 4, 0}).substr(4), "4 ?");
}

TEST(UtcTime, RealTimesAreDaysOfTheirMonth) {
    for (utc_time t :
         {utc_time{2024, 2, 29, 0}, {2000, 2, 29, 0}, {2024, 12, 31, 23}, {1, 1, 1, 0}})
        EXPECT_TRUE(is_real_time(t)) << t;
    for (utc_time t : {utc_time{2023, 2, 29, 0},
                       {2100, 2, 29, 0},
                       {2024, 4, 31, 0},
                       {2024, 4, 30, 24},
                       {2024, 4, 30, -1},
                       {2024, 0, 1, 0},
                       {2024, 13, 1, 0},
                       {2024, 1, 0, 0},
                       {0, 1, 1, 0},
                       {10000, 1, 1, 0}})
        EXPECT_FALSE(is_real_time(t)) << t;
}
