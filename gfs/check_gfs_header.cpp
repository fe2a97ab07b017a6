#include "reading/quote_word.h"
#include "gfs/check_gfs_header.h"

#include "reading/reading.h"

#include <fstream>
#include <string>

// The one field header the run knows: field names, their levels, then the unit of each
// of the eleven fields. The cut words are part of the format.
// clang-format off
static const char* const header_words[] = {
    "FIELD", "MEAN", "SEA-LEVEL", "2", "M", "TEMPERATUR", "TEMPERATURE", "TEMPERATURE",
    "TEMPERATURE", "THICKNESS", "2", "METER", "RELATI", "6HR", "PRECIPITAT", "AVERAGE", "TOTAL",
    "WIND", "DIRECTION", "WIND", "SPEED",
    "LEVEL", "850", "MB", "700", "MB", "500", "MB", "500", "MB", "10", "M", "10", "M",
    "UNITS", "HPA", "DEGC", "DEGC", "DEGC", "DEGC", "DM", "PCT", "MM", "PCT", "DEG", "KNTS",
};
// clang-format on
static const int header_word_count = sizeof header_words / sizeof header_words[0];
static_assert(header_word_count == 46, "21 field-name, 13 level and 12 unit words");

bool check_gfs_header(const char* file_name, file_note& fault) {
    std::ifstream in(file_name, std::ios::binary);
    fault.position = -1;
    if (!in.is_open()) {
        fault.what = "the file can no longer be read";
        return false;
    }
    // Only a word followed by more input can open the header, so a "FIELD" that ends the
    // file ends the search.
    if (!find_label(in, header_words[0])) {
        fault.what = "no field header: the word \"FIELD\" is not in the file";
        return false;
    }
    if (in.eof()) {
        in.clear();
        fault.position = static_cast<long long>(in.tellg()) - 5;
        fault.what = "the file ends right after \"FIELD\", where the field header begins";
        return false;
    }
    std::string word;
    // A failed read would keep the previous word, which could equal the next expected one
    // ("DEGC"), so it counts as a mismatch at once.
    for (int i = 1; i < header_word_count; ++i) {
        const std::string expected = "field header word " + std::to_string(i + 1) + " should be " +
                                     quote_word(header_words[i]);
        if (!read_word(in, word)) {
            fault.what = expected + "; the file ends first";
            return false;
        }
        if (word != header_words[i]) {
            in.clear();
            fault.position =
                static_cast<long long>(in.tellg()) - static_cast<long long>(word.size());
            fault.what = expected + "; found " + quote_word(word);
            return false;
        }
    }
    return true;
}
