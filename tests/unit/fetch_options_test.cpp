#include "fetch/fetch_options.h"

#include <gtest/gtest.h>

namespace {

const long long now = 1'796'833'800; // 2026-12-09T16:30:00Z

TEST(FetchOptions, ReadsTimesAndDates) {
    long long until = 0;
    EXPECT_TRUE(read_fetch_until("16:30Z", now, until));
    EXPECT_EQ(until, now);
    EXPECT_TRUE(read_fetch_until("2026-12-10T00:00:59Z", now, until));
    EXPECT_EQ(until, now + 7.5 * 3600 + 59);
    for (const char* wrong : {"16:30", "24:00Z", "16:60Z", "2026-02-30T16:30Z", "16:30:00:00Z"})
        EXPECT_FALSE(read_fetch_until(wrong, now, until)) << wrong;
    utc_time date{};
    EXPECT_TRUE(read_fetch_date("today", now + 7.5 * 3600, date));
    EXPECT_EQ(date.day, 10);
    EXPECT_TRUE(read_fetch_date("12/09/2026", now, date));
    EXPECT_EQ(date.day, 9);
    int cycle = -1;
    EXPECT_TRUE(read_fetch_cycle("06", cycle));
    EXPECT_EQ(cycle, 6);
    EXPECT_FALSE(read_fetch_cycle("13", cycle));
}

} // namespace
