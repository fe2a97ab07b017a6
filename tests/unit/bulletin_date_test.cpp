#include "calendar/bulletin_date.h"

#include <gtest/gtest.h>

#include <string>

TEST(ParseBulletinDate, AcceptsCalendarDatesOnly) {
    struct {
        const char* text;
        bool ok;
        const char* written;
    } cases[] = {
        {"3/04/2010", true, "3/04/2010"},
        {"03/4/2010", true, "3/04/2010"},
        {"12/31/2019", true, "12/31/2019"},
        {"2/29/2020", true, "2/29/2020"},
        {"2/29/2000", true, "2/29/2000"},
        {"1/01/1900", true, "1/01/1900"},
        {"2/29/2019", false, ""},
        {"2/29/1900", false, ""},
        {"4/31/2010", false, ""},
        {"13/40/2020", false, ""},
        {"0/04/2010", false, ""},
        {"3/00/2010", false, ""},
        {"3/04/10", false, ""},
        {"3/04/02010", false, ""},
        {"003/04/2010", false, ""},
        {"3/04/2010x", false, ""},
        {"3/04/2010 ", false, ""},
        {" 3/04/2010", false, ""},
        {"3-04-2010", false, ""},
        {"+3/04/2010", false, ""},
        {"12/31/1899", false, ""},
        {"", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        utc_time date{7, 7, 7, 7};
        ASSERT_EQ(parse_bulletin_date(c.text, date), c.ok);
        if (c.ok)
            EXPECT_EQ(format_bulletin_date(date), c.written);
        else
            EXPECT_TRUE(date.year == 7 && date.month == 7 && date.day == 7 && date.hour == 7);
    }
}

TEST(ParseModelRun, TakesARealDateAndHour) {
    struct {
        std::string words[6];
        bool ok;
    } cases[] = {
        {{"12", "UTC", "WED", "09", "DEC", "2026"}, true},
        {{"00", "UTC", "XXX", "29", "FEB", "2024"}, true}, // the weekday is not read
        {{"00", "UTC", "THU", "29", "FEB", "2023"}, false},
        {{"24", "UTC", "WED", "09", "DEC", "2026"}, false},
        {{"12", "GMT", "WED", "09", "DEC", "2026"}, false},
        {{"12", "UTC", "WED", "09", "Dec", "2026"}, false},
        {{"-1", "UTC", "WED", "09", "DEC", "2026"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words[0] + " " + c.words[3] + " " + c.words[4] + " " + c.words[5]);
        utc_time t{1, 1, 1, 1};
        ASSERT_EQ(parse_model_run(c.words, t), c.ok);
        if (c.ok) {
            EXPECT_EQ(t.day * 100 + t.hour, std::stoi(c.words[3]) * 100 + std::stoi(c.words[0]));
        }
    }
}
