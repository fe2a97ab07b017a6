#include "fetch/grib_index.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Lines of an inventory as NCEP writes it, one message packing two fields (4.1 and 4.2).
const std::string inventory = "1:0:d=2026120912:PRMSL:mean sea level:6 hour fcst:\n"
                              "2:1000:d=2026120912:TMP:2 m above ground:6 hour fcst:\n"
                              "3:1800:d=2026120912:DPT:2 m above ground:6 hour fcst:\r\n"
                              "4.1:2500:d=2026120912:UGRD:10 m above ground:6 hour fcst:\n"
                              "4.2:2500:d=2026120912:VGRD:10 m above ground:6 hour fcst:\n"
                              "5:3100:d=2026120912:TMP:850 mb:6 hour fcst:ENS=+1\n";

TEST(GribIndex, MergesAdjacentMessagesAndRunsTheLastToTheEnd) {
    std::vector<index_line> lines;
    std::string why;
    ASSERT_TRUE(read_grib_index(inventory, lines, why)) << why;
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[2].forecast, "6 hour fcst");
    EXPECT_TRUE(lines[5].qualified);
    const auto ranges = wanted_ranges(
        lines, [](const index_line& l) { return l.variable != "DPT" && l.variable != "UGRD"; });
    ASSERT_EQ(ranges.size(), 2u);
    EXPECT_EQ(range_words(ranges[0]), "0-1799");
    EXPECT_EQ(ranges[0].messages, (std::vector<long long>{0, 1000}));
    // The winds' message is taken for its V field, with the next up to the end.
    EXPECT_EQ(range_words(ranges[1]), "2500-");
    EXPECT_EQ(ranges[1].messages, (std::vector<long long>{2500, 3100}));
}

TEST(GribIndex, RefusesWhatIsNoInventory) {
    std::vector<index_line> lines;
    std::string why;
    EXPECT_FALSE(read_grib_index("<html>Not Found</html>\n", lines, why));
    EXPECT_EQ(why, "line 1: no inventory line N:OFFSET:d=DATE:VAR:LEVEL:FORECAST:");
    EXPECT_FALSE(
        read_grib_index(inventory + "6:3000:d=2026120912:TMP:700 mb:6 hour fcst:\n", lines, why));
    EXPECT_EQ(why, "line 7: offset 3000 comes before the line above's");
}

} // namespace
