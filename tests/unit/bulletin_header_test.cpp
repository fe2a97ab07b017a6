#include "ingest/bulletin_header.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

TEST(ParseHeaderLine, TakesExactlyTheSevenWords) {
    const std::string line = " KBKX   NAM MOS GUIDANCE    3/04/2010  1200 UTC\r";
    bulletin_header h;
    ASSERT_TRUE(parse_header_line(line, h));
    EXPECT_EQ(h.station, "KBKX");
    EXPECT_EQ(h.model, "NAM");
    EXPECT_EQ(h.date_word, "3/04/2010");
    EXPECT_EQ(h.cycle, "1200");
    // Where the words stand, for the assembler's rewriting of the line.
    EXPECT_EQ(h.station_at, 1);
    EXPECT_EQ(line.substr(h.model_at, 3), "NAM");
    EXPECT_EQ(line.substr(h.date_at, 9), "3/04/2010");
    EXPECT_EQ(line.substr(h.cycle_at, 4), "1200");
    for (const char* other :
         {"KBKX NAM MOS GUIDANCE 3/04/2010 1200", "KBKX NAM MOS GUIDANCE 3/04/2010 1200 UTC X",
          "KBKX NAM MOS FORECAST 3/04/2010 1200 UTC", "KBKX NAM MOS GUIDANCE 3/04/2010 1200 GMT",
          ""}) {
        SCOPED_TRACE(other);
        EXPECT_FALSE(parse_header_line(other, h));
    }
}

TEST(ReadHeaderWords, NotesWhereEachStartsAndStopsAtTheEnd) {
    std::istringstream in("KHON\n  AVN MOS GUIDANCE\n 12/31/2019 1200");
    std::string station;
    in >> station;
    bulletin_header h;
    ASSERT_TRUE(read_header_words(in, h));
    EXPECT_EQ(h.model_at, 7);
    EXPECT_EQ(h.date_at, 25);
    EXPECT_EQ(h.cycle_at, 36); // the last word of the input still has its place
    std::istringstream cut("KHON AVN MOS GUIDANCE 12/31/2019");
    cut >> station;
    EXPECT_FALSE(read_header_words(cut, h));
}

TEST(ReadHeaderWords, VersionWordOnlyAfterNbm) {
    for (const char* line : {"KBKX    NBM V5.0 NBS GUIDANCE   12/09/2026  1200 UTC",
                             "KBKX    NBM NBS GUIDANCE   11/07/2018  1200 UTC"}) {
        SCOPED_TRACE(line);
        std::istringstream in(line);
        bulletin_header h;
        std::string station;
        in >> station;
        ASSERT_TRUE(read_header_words(in, h));
        EXPECT_EQ(h.kind[0], "NBS");
        EXPECT_EQ(h.cycle, "1200");
        EXPECT_EQ(h.version, line[12] == 'V' ? "V5.0" : "");
    }
    // Elsewhere a V-word stays a kind word.
    std::istringstream in("ETA V5.0 MOS GUIDANCE 3/04/2010 1200");
    bulletin_header h;
    ASSERT_TRUE(read_header_words(in, h));
    EXPECT_EQ(h.version, "");
    EXPECT_EQ(h.date_word, "GUIDANCE");
}

TEST(CycleHour, WholeHoursOnly) {
    EXPECT_EQ(cycle_hour("1200"), 12);
    EXPECT_EQ(cycle_hour("0000"), 0);
    EXPECT_EQ(cycle_hour("2300"), 23);
    for (const char* bad : {"2400", "1230", "12", "12000", "+100", "0a00", ""})
        EXPECT_EQ(cycle_hour(bad), -1) << bad;
}
