#include "gfs/check_gfs_header.h"

#include "plumbing/reading.h"

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

bool check_gfs_header(const char* file_name) {
    std::ifstream in(file_name, std::ios::binary);
    if (!in.is_open()) return false;
    // Only a word followed by more input can open the header, so a "FIELD" that ends the
    // file ends the search.
    if (!find_label(in, header_words[0]) || in.eof()) return false;
    std::string word;
    // A failed read would keep the previous word, which could equal the next expected one
    // ("DEGC"), so it counts as a mismatch at once.
    for (int i = 1; i < header_word_count; ++i) {
        if (!read_word(in, word) || word != header_words[i]) return false;
    }
    return true;
}
