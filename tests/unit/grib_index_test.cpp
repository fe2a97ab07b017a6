#include "fetch/grib_index.h"
#ifdef VUZAZAV_HAVE_ECCODES
#include "grib/gfs_fields.h"
#endif

#include <gtest/gtest.h>

#include <set>
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

// An instantaneous cloud stands in for no average, and a run total for the bucket.
TEST(GribIndex, NamesTheFieldsAnInventoryLacks) {
    std::vector<index_line> lines;
    const char* const instants[][2] = {{"PRMSL", "mean sea level"},
                                       {"TMP", "2 m above ground"},
                                       {"TMP", "850 mb"},
                                       {"TMP", "700 mb"},
                                       {"TMP", "500 mb"},
                                       {"HGT", "500 mb"},
                                       {"HGT", "1000 mb"},
                                       {"RH", "2 m above ground"},
                                       {"UGRD", "10 m above ground"},
                                       {"VGRD", "10 m above ground"}};
    for (const auto& f : instants) lines.push_back({0, "", f[0], f[1], "12 hour fcst", false});
    lines.push_back({0, "", "TCDC", "entire atmosphere", "12 hour fcst", false});
    lines.push_back({0, "", "APCP", "surface", "0-12 hour acc fcst", false});
    EXPECT_EQ(missing_gfs_point_fields(lines, 12), "TCDC entire atmosphere");
    lines.push_back({0, "", "TCDC", "entire atmosphere", "6-12 hour ave fcst", false});
    EXPECT_EQ(missing_gfs_point_fields(lines, 12), "");
    lines.erase(lines.begin() + 2);
    lines.pop_back();
    EXPECT_EQ(missing_gfs_point_fields(lines, 12), "TMP 850 mb, TCDC entire atmosphere");
}

#ifdef VUZAZAV_HAVE_ECCODES

// wgrib2's words for GRIB2 parameters (discipline 0) and surfaces, the gfs-point ones
// among others.
const struct {
    const char* word;
    long category, number;
} parameters[] = {{"PRMSL", 3, 1}, {"TMP", 0, 0},  {"HGT", 3, 5},  {"RH", 1, 1},  {"APCP", 1, 8},
                  {"TCDC", 6, 1},  {"UGRD", 2, 2}, {"VGRD", 2, 3}, {"DPT", 0, 6}, {"PRES", 3, 0}};
const struct {
    const char* word;
    long surface, level;
} levels[] = {{"mean sea level", 101, 0},
              {"2 m above ground", 103, 2},
              {"10 m above ground", 103, 10},
              {"80 m above ground", 103, 80},
              {"1000 mb", 100, 1000},
              {"850 mb", 100, 850},
              {"700 mb", 100, 700},
              {"500 mb", 100, 500},
              {"250 mb", 100, 250},
              {"surface", 1, 0},
              {"entire atmosphere", 10, 0},
              {"low cloud layer", 214, 0},
              {"entire atmosphere (considered as a single layer)", 200, 0}};

// Forecast times of a file of hour h, as wgrib2 writes them, with their statistical
// process (-1 for an instant) and step range.
struct timing {
    std::string words;
    long statistics, start, end;
};
std::vector<timing> timings(long h) {
    const std::string H = std::to_string(h), S = std::to_string(h - 6);
    std::vector<timing> t = {{H + " hour fcst", -1, h, h},
                             {std::to_string(h + 6) + " hour fcst", -1, h + 6, h + 6},
                             {S + "-" + H + " hour acc fcst", 1, h - 6, h},
                             {"0-" + H + " hour acc fcst", 1, 0, h},
                             {std::to_string(h - 3) + "-" + H + " hour acc fcst", 1, h - 3, h},
                             {S + "-" + H + " hour ave fcst", 0, h - 6, h},
                             {"0-" + H + " hour ave fcst", 0, 0, h},
                             {S + "-" + H + " hour max fcst", 2, h - 6, h}};
    if (h % 24 == 0) t.push_back({"0-" + std::to_string(h / 24) + " day acc fcst", 1, 0, h});
    return t;
}

// fetch's choice of inventory lines against the GRIB2 reader's own table of the fields it
// reads, so that the two cannot drift apart.
TEST(GribIndex, ChoosesWhatTheGribReaderReads) {
    for (long h = 6; h <= 288; h += 6) {
        std::set<int> fields;
        for (const auto& p : parameters) {
            for (const auto& l : levels) {
                for (const timing& t : timings(h)) {
                    const index_line line{0, "2026120912", p.word, l.word, t.words, false};
                    const message_keys keys{0,       p.category,   p.number, l.surface,
                                            l.level, t.statistics, t.start,  t.end};
                    long hour = -1;
                    const int field = identify_gfs_field(keys, hour);
                    const bool read = field >= 0 && hour == h;
                    EXPECT_EQ(gfs_point_reads(line, static_cast<int>(h)), read)
                        << p.word << ":" << l.word << ":" << t.words;
                    if (read) fields.insert(field);
                    // A line with further words is another product (a probability).
                    EXPECT_FALSE(gfs_point_reads({0, "", p.word, l.word, t.words, true}, h));
                }
            }
        }
        EXPECT_EQ(fields.size(),
                  static_cast<std::size_t>(h == 6 ? gfs_field_count - 1 : gfs_field_count));
    }
}

#endif

} // namespace
