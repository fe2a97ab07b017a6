#include "pointforecast/load_bulletin_file.h"

#include "bulletin_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What load_bulletin_file says of text: its fault, without the file's place.
std::string fault_of(const std::string& text) {
    std::istringstream in(text, std::ios::in | std::ios::binary);
    loaded_bulletins loaded;
    fault why;
    if (load_bulletin_file(in, "week.txt", loaded, why)) return "valid";
    return why.what;
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
