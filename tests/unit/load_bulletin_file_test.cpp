#include "pointforecast/load_bulletin_file.h"

#include "bulletin_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What load_bulletin_file says of text: its fault, without the file's place; or, for a
// valid file, "valid" and, with notes, its notes, one a line.
std::string fault_of(const std::string& text, bool notes = false, bool short_range = false) {
    std::istringstream in(text, std::ios::in | std::ios::binary);
    loaded_bulletins loaded;
    fault why;
    if (!load_bulletin_file(in, "week.txt", loaded, why, short_range)) return why.what;
    std::string said = "valid";
    for (const fault& note : loaded.warnings)
        if (notes) said += "\n" + std::to_string(note.line) + ": " + note.what;
    return said;
}

// The valid file with row in place of the row of the same label in each of bulletins.
std::string with_rows(const std::vector<int>& bulletins, const std::string& row) {
    std::vector<bulletin> all = valid_bulletins();
    for (int k : bulletins) set_row(all[k], row);
    return file_text(all);
}

} // namespace

TEST(LoadBulletinFile, ValueThatNoStationHasMakesTheFileInvalid) {
    const std::string no_84h_low =
        "X/N  38| 19  41| 23  36|999  30| 12  27| 10  33| 16  38| 21  42 17 38";
    const std::string no_6h_wind =
        "WDR  99 33 34 34 35 36 01 02 02 03 05 07 10 12 13 15 16 17 17 18 18";
    const std::vector<int> extended = {8, 9, 10, 11}, eta = {0, 1, 2, 3};
    const std::vector<int> both = {0, 1, 2, 3, 4, 5, 6, 7};
    EXPECT_EQ(fault_of(with_rows(extended, no_84h_low)), "day 3 LowTemp: no station has a value");
    EXPECT_EQ(fault_of(with_rows(both, no_6h_wind)), "hour 6 WDR: no station has a value");
    // One model is enough.
    EXPECT_EQ(fault_of(with_rows(eta, no_6h_wind)), "valid");
}

TEST(LoadBulletinFile, FaultQuotesAtMostFortyCharacters) {
    const std::string word(60, 'x');
    EXPECT_EQ(fault_of(valid_text_with(2, "N/X   " + word + "  36  19  40")),
              "bulletin 3 (KMHE ETA): the N/X row holds \"" + word.substr(0, 40) +
                  "...\" (60 bytes) where a whole number belongs");
}

// NBM's text bulletins write -99 for a value they lack, in every row; 999 stays missing as
// NBM 3 wrote it, and a wind of 99 knots is a wind.
TEST(LoadBulletinFile, NbsMissingValuesAreNotedAtTheirRows) {
    std::vector<bulletin> all = blend_bulletins();
    set_row(all[0], "WSP  99 12-99  7  7  6  7  8  8  8  7  5  5  6  8 12 14 14 11  8  8  8  9");
    set_row(all[1], "N/X        41         -99          43          38         999          34");
    set_row(all[1], "WDR -99 19 21 22 21 20 17 15 14 16 19 20 20 21 23 23 24 24 25 25 25 24 23");
    const std::string tail = "; the city value rests on the other stations";
    EXPECT_EQ(fault_of(file_text(all), true),
              "valid\n14: bulletin 1 (KBKX NBM): WSP value 3 is missing (-99)" + tail +
                  "\n48: bulletin 2 (KHON NBM): N/X value 2 is missing (-99)" + tail +
                  "\n48: bulletin 2 (KHON NBM): N/X value 5 is missing (999)" + tail +
                  "\n52: bulletin 2 (KHON NBM): WDR value 1 is missing (-99)" + tail);
}

// An absent bulletin is one note, not one for each of its values.
TEST(LoadBulletinFile, AbsentBulletinIsOneNote) {
    std::vector<bulletin> all = valid_bulletins();
    all[5] = absent_bulletin(5);
    EXPECT_EQ(fault_of(file_text(all), true),
              "valid\n116: bulletin 6 (KHON AVN) is absent: no bulletin of the station was "
              "among the products; the city values rest on the other stations");
}

// Read for the short range alone, the eighth bulletin's rows end where the ninth begins.
TEST(LoadBulletinFile, ShortRangeOnlyTakesNoRowOfTheBulletinsAfterTheEighth) {
    EXPECT_EQ(fault_of(file_text(valid_bulletins()), false, true), "valid");
    EXPECT_EQ(fault_of(valid_text_without(7, "DPT"), false, true),
              "bulletin 8 (KFSD AVN): no DPT row after the N/X row before the next bulletin");
}
