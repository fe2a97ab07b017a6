#include "calendar/iso_date.h"

#include <gtest/gtest.h>

TEST(IsoDate, ReadsWhatTheDocumentsWrite) {
    utc_time t{7, 7, 7, 7};
    ASSERT_TRUE(parse_iso_time("2024-02-29T12:00:00Z", t));
    EXPECT_EQ(iso_time(t), "2024-02-29T12:00:00Z");
    ASSERT_TRUE(parse_iso_date("0001-01-01", t));
    EXPECT_EQ(iso_time(t), "0001-01-01T00:00:00Z");
    for (const char* text :
         {"2023-02-29T12:00:00Z", "2024-03-04T24:00:00Z", "2024-03-04T12:30:00Z",
          "2024-03-04T12:00:00", "2024-3-04T12:00:00Z", "2024-03-04 12:00:00Z"}) {
        EXPECT_FALSE(parse_iso_time(text, t)) << text;
        EXPECT_EQ(iso_time(t), "0001-01-01T00:00:00Z") << "left unchanged";
    }
    for (const char* text : {"2024-03-04T12:00:00Z", "2024-13-01", "2024-03-4", "+024-03-04"})
        EXPECT_FALSE(parse_iso_date(text, t)) << text;
}

TEST(IsoDate, DaysSinceTheEpochWithinTheYearsOneTo9999) {
    EXPECT_EQ(iso_day(0), "1970-01-01");
    EXPECT_EQ(iso_day(-1), "1969-12-31");
    EXPECT_EQ(iso_day(-719162), "0001-01-01");
    EXPECT_EQ(iso_day(2932896), "9999-12-31");
    EXPECT_EQ(iso_day(-719163), "day -719163");
    EXPECT_EQ(iso_day(2932897), "day 2932897");
}
