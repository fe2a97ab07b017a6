#include "calendar/local_time.h"

#include <gtest/gtest.h>

// Each rule's first and last hour of daylight time, in UTC: the changes fall at 2 AM local,
// 08 UTC in spring and 07 UTC in autumn.
TEST(CentralDaylightTime, ChangesAtTwoLocalByTheRulesOfEachYear) {
    struct {
        utc_time first, last;
    } years[] = {
        {{2026, 3, 8, 8}, {2026, 11, 1, 6}},  // second Sunday of March, first of November
        {{2007, 3, 11, 8}, {2007, 11, 4, 6}}, // the first year of those rules
        {{2006, 4, 2, 8}, {2006, 10, 29, 6}}, // first Sunday of April, last of October
        {{1987, 4, 5, 8}, {1987, 10, 25, 6}},
        {{1986, 4, 27, 8}, {1986, 10, 26, 6}}, // last Sunday of April
        {{1974, 1, 6, 8}, {1974, 10, 27, 6}},
        {{1975, 2, 23, 8}, {1975, 10, 26, 6}},
        {{1967, 4, 30, 8}, {1967, 10, 29, 6}},
    };
    for (const auto& y : years) {
        SCOPED_TRACE(y.first.year);
        EXPECT_FALSE(central_daylight_time(add_hours(y.first, -1)));
        EXPECT_TRUE(central_daylight_time(y.first));
        EXPECT_TRUE(central_daylight_time(y.last));
        EXPECT_FALSE(central_daylight_time(add_hours(y.last, 1)));
    }
    EXPECT_FALSE(central_daylight_time(utc_time{1966, 7, 1, 12}));
}

TEST(CityTime, CrossesDatesAndZonesAsTheClockDoes) {
    // 00 UTC on New Year's Day is 6 PM CST on New Year's Eve.
    const local_time eve = city_time(utc_time{2027, 1, 1, 0});
    EXPECT_EQ(iso_local_time(eve), "2026-12-31T18:00:00-06:00");
    EXPECT_STREQ(zone_name(eve), "CST");
    const local_time summer = city_time(utc_time{2010, 7, 1, 0});
    EXPECT_EQ(iso_local_time(summer), "2010-06-30T19:00:00-05:00");
    EXPECT_STREQ(zone_name(summer), "CDT");
    EXPECT_EQ(clock_hour(0), "midnight");
    EXPECT_EQ(clock_hour(6), "6 AM");
    EXPECT_EQ(clock_hour(12), "noon");
    EXPECT_EQ(clock_hour(19), "7 PM");
}
