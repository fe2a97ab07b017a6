#include "chart/chart_layout.h"
#include "chart/gfs_chart.h"
#include "count_of.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

// A run of the usual hours 6 to 288, every value plain.
struct plain_run {
    gfs_table_row rows[gfs_row_count];
    plain_run() {
        for (int i = 0; i < gfs_row_count; ++i)
            rows[i] = gfs_table_row{6 * (i + 1), 30, 50,  41,   28,  -4,   552, 80,
                                    0.1,         50, 270, 11.5, 5.3, 55.3, 44.7};
    }
    gfs_chart_input input() const {
        return gfs_chart_input{"run.txt", true, {2024, 3, 4, 0}, rows};
    }
};

} // namespace

TEST(WriteGfsChart, DrawsEveryRowAndClosesEveryGroup) {
    plain_run run;
    std::ostringstream out;
    fault why;
    ASSERT_TRUE(write_gfs_chart(out, run.input(), why)) << why.what;
    std::string svg = out.str();
    EXPECT_EQ(count_of(svg, "class=\"t2m\" data-hour="), 48u);
    EXPECT_EQ(count_of(svg, "class=\"precip\" data-hour="), 48u);
    EXPECT_EQ(count_of(svg, "<g"), 5u + 2u); // five panels, two legends
    EXPECT_EQ(count_of(svg, "<g"), count_of(svg, "</g>"));
    // The band runs from the lowered to the raised temperature.
    EXPECT_NE(svg.find("class=\"t2m-band\""), std::string::npos);
    EXPECT_NE(svg.find("Mon 4 Mar"), std::string::npos);
}

// Hours as far apart as a file can hold them used to draw a day line and label for each
// of their 89 million days; the writer now refuses before it draws anything.
TEST(WriteGfsChart, RefusesAnUnboundedSpanWritingNothing) {
    plain_run run;
    run.rows[0].hour = 0;
    run.rows[gfs_row_count - 1].hour = 2147483647;
    std::ostringstream out;
    fault why;
    EXPECT_FALSE(write_gfs_chart(out, run.input(), why));
    EXPECT_EQ(why.kind, fault_kind::incorrect_format);
    EXPECT_EQ(why.what, "the hours 0 to 2147483647 span more than a chart can show");
    EXPECT_EQ(why.file, "run.txt");

    run.rows[gfs_row_count - 1].hour = 288;
    run.rows[0].hour = -2147483647 - 1;
    EXPECT_FALSE(write_gfs_chart(out, run.input(), why));
    EXPECT_EQ(out.str(), "");
}

TEST(WriteGfsChart, ChartsTheLongestSpanItCanShow) {
    plain_run run;
    run.rows[0].hour = 0;
    // The axis runs from the start of the first 6-hour period to 3 hours past the last row.
    run.rows[gfs_row_count - 1].hour = static_cast<int>(max_axis_hours) - 9;
    std::ostringstream out;
    fault why;
    EXPECT_TRUE(write_gfs_chart(out, run.input(), why));
    run.rows[gfs_row_count - 1].hour += 1;
    EXPECT_FALSE(write_gfs_chart(out, run.input(), why));
}

TEST(WriteGfsChart, RefusesARunTimeThatIsNoDate) {
    plain_run run;
    std::ostringstream out;
    fault why;
    gfs_chart_input input = run.input();
    input.run_time = utc_time{2023, 2, 29, 0};
    EXPECT_FALSE(write_gfs_chart(out, input, why));
    EXPECT_EQ(out.str(), "");
    // Without a run time there is no date to be wrong: the band counts the days instead.
    input.run_known = false;
    EXPECT_TRUE(write_gfs_chart(out, input, why));
    EXPECT_EQ(count_of(out.str(), "class=\"day-label\""), 12u);
    EXPECT_EQ(count_of(out.str(), ">day 1<"), 1u);
    EXPECT_EQ(count_of(out.str(), "Mar<"), 0u);
}
