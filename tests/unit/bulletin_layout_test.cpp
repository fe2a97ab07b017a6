#include "ingest/bulletin_layout.h"

#include "bulletin_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

static bool validate_text(const std::string& text) {
    std::istringstream in(text, std::ios::in | std::ios::binary);
    bulletin_layout layout{};
    fault why;
    return validate_bulletin_file(in, layout, why);
}

// The valid file with the header of bulletin k replaced.
static std::string with_header(int k, const std::string& header) {
    std::vector<bulletin> all = valid_bulletins();
    all[k][0] = header;
    return file_text(all);
}

TEST(ValidateBulletinFile, RecordsWhereEachHeaderStands) {
    const std::string lf = "\n  \n" + file_text(valid_bulletins());
    const std::string crlf = "\r\n  \r\n" + file_text(valid_bulletins(), "\r\n");
    for (const std::string& text : {lf, crlf, lf.substr(0, lf.rfind(" UTC"))}) {
        SCOPED_TRACE(text.substr(text.size() - 10));
        std::istringstream in(text, std::ios::in | std::ios::binary);
        bulletin_layout layout{};
        fault why;
        ASSERT_TRUE(validate_bulletin_file(in, layout, why));
        for (int k = 0; k < bulletin_count; ++k) {
            SCOPED_TRACE(k);
            EXPECT_EQ(text.substr(layout.header[k].station_at, 4), station_ids[k % 4]);
            ASSERT_GE(layout.body_start[k], 4);
            EXPECT_EQ(text.substr(layout.body_start[k] - 4, 4), k < 8 ? "1200" : "0000");
        }
    }
}

TEST(ValidateBulletinFile, ChecksHeaders) {
    std::vector<bulletin> all = valid_bulletins();
    const std::string valid = file_text(all);
    const std::string foreign = header_line("KSUX", "GFS", "3/04/2010", "1200") + "\n\n";

    std::vector<bulletin> mixed = all;
    for (int k : {5, 7}) mixed[k][0] = header_line(station_ids[k % 4], "GFS", "3/04/2010", "1200");
    for (int k : {8, 10})
        mixed[k][0] = header_line(station_ids[k % 4], "GFSX", "3/04/2010", "0000");

    std::vector<bulletin> interleaved = all;
    interleaved.insert(interleaved.begin() + 5,
                       {{header_line("KSUX", "GFS", "3/04/2010", "1200")}});

    std::vector<bulletin> body_word = all;
    body_word[0].back() += "  KHON";

    std::vector<bulletin> extra = all;
    extra.insert(extra.begin() + 9, {{header_line("KHON", "NAM", "3/04/2010", "0000")}});

    std::vector<bulletin> by_station;
    for (int s = 0; s < 4; ++s)
        for (int g = 0; g < 3; ++g) by_station.push_back(all[g * 4 + s]);

    std::string last_cycle = valid.substr(0, valid.rfind(" UTC"));
    std::string last_station = valid.substr(0, valid.rfind("KFSD") + 4);

    struct {
        const char* name;
        std::string text;
        bool ok;
    } cases[] = {
        {"valid", valid, true},
        {"title line", "MOS GUIDANCE\n" + valid, false},
        {"empty", "", false},
        {"lower-case station", "kbkx" + valid.substr(4), false},
        {"lower-case model", with_header(0, header_line("KBKX", "eta", "3/04/2010", "1200")),
         false},
        {"lower-case later station",
         with_header(6, header_line("kmhe", "AVN", "3/04/2010", "1200")), false},
        {"cycle with a letter", with_header(0, header_line("KBKX", "ETA", "3/04/2010", "1200Z")),
         false},
        {"NAM for ETA", with_header(2, header_line("KMHE", "NAM", "3/04/2010", "1200")), true},
        {"NBM for ETA", with_header(2, header_line("KMHE", "NBM", "3/04/2010", "1200")), true},
        {"NBS for ETA", with_header(2, header_line("KMHE", "NBS", "3/04/2010", "1200")), false},
        {"NAM for AVN", with_header(5, header_line("KHON", "NAM", "3/04/2010", "1200")), false},
        {"MRF in the second group", with_header(4, header_line("KBKX", "MRF", "3/04/2010", "1200")),
         false},
        {"GFS in the third group", with_header(11, header_line("KFSD", "GFS", "3/04/2010", "0000")),
         false},
        {"second group at 0000", with_header(5, header_line("KHON", "AVN", "3/04/2010", "0000")),
         false},
        {"extended a day earlier", with_header(9, header_line("KHON", "MRF", "3/03/2010", "0000")),
         false},
        {"one word before the date", with_header(1, "KHON   ETA GUIDANCE    3/04/2010  1200 UTC"),
         false},
        {"mixed AVN/GFS and MRF/GFSX", file_text(mixed), true},
        {"foreign bulletin interleaved", file_text(interleaved), true},
        {"foreign bulletin first", foreign + valid, false},
        {"station word in a body", file_text(body_word), false},
        {"extra bulletin before the required one", file_text(extra), false},
        {"grouped by station", file_text(by_station), false},
        {"ends after a station word", last_station, false},
        {"a second set after the twelfth", valid + valid, true},
        {"text after the twelfth header", last_cycle + " UTC KBKX NAM", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(validate_text(c.text), c.ok);
    }
}

TEST(ValidateBulletinFile, AbsentBulletinsByTheirMarkerTwoToAGroup) {
    std::vector<bulletin> all = valid_bulletins();
    for (int k : {1, 9, 10}) all[k] = absent_bulletin(k);
    // The marker counts only as the first word after the header.
    all[0].insert(all[0].begin() + 2, "ABSENT: in a body");
    std::istringstream in(file_text(all), std::ios::in | std::ios::binary);
    bulletin_layout layout{};
    fault why;
    ASSERT_TRUE(validate_bulletin_file(in, layout, why)) << why.what;
    for (int k = 0; k < bulletin_count; ++k)
        EXPECT_EQ(layout.absent[k], k == 1 || k == 9 || k == 10);

    all[11] = absent_bulletin(11);
    std::istringstream three(file_text(all), std::ios::in | std::ios::binary);
    EXPECT_FALSE(validate_bulletin_file(three, layout, why));
    EXPECT_EQ(why.what, "bulletin 12 (KFSD MRF) is absent, the third of bulletins 9 to 12; at "
                        "most 2 of a group's four stations may be absent");
}

TEST(ValidateBulletinFile, ShortRangeOnlyReadsEightAndNotesWhatFollows) {
    const std::vector<bulletin> all = valid_bulletins();
    const std::string eight = file_text({all.begin(), all.begin() + 8}), twelve = file_text(all);
    bulletin_layout layout{};
    fault why;
    std::istringstream full(eight, std::ios::in | std::ios::binary);
    EXPECT_FALSE(validate_bulletin_file(full, layout, why));
    EXPECT_NE(why.what.find("holds bulletins 1 to 8 alone"), std::string::npos) << why.what;
    std::istringstream short_only(eight, std::ios::in | std::ios::binary);
    ASSERT_TRUE(validate_bulletin_file(short_only, layout, why, short_range_bulletin_count));
    EXPECT_EQ(layout.count, 8);
    EXPECT_EQ(layout.end, -1);
    // Of twelve, the ninth header ends the eighth bulletin's rows.
    std::istringstream first_eight(twelve, std::ios::in | std::ios::binary);
    ASSERT_TRUE(validate_bulletin_file(first_eight, layout, why, short_range_bulletin_count));
    EXPECT_EQ(layout.end, static_cast<long long>(eight.size() + 1));
}
