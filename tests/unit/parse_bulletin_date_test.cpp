#include "ingest/format_bulletin_date.h"
#include "ingest/parse_bulletin_date.h"

#include <gtest/gtest.h>

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
        bulletin_date date{7, 7, 7};
        ASSERT_EQ(parse_bulletin_date(c.text, date), c.ok);
        if (c.ok)
            EXPECT_EQ(format_bulletin_date(date), c.written);
        else
            EXPECT_TRUE(date == (bulletin_date{7, 7, 7}));
    }
}
