#include "gfs/check_gfs_header.h"

#include "ingest/reading.h"

#include <fstream>
#include <string>

// The one field header the run knows: field names, their levels, then the unit of each
// of the eleven fields. The cut words are part of the format.
static const char* const header_words[] = {
    "FIELD", "MEAN", "SEA-LEVEL", "2", "M", "TEMPERATUR", "TEMPERATURE", "TEMPERATURE",
    "TEMPERATURE", "THICKNESS", "2", "METER", "RELATI", "6HR", "PRECIPITAT", "AVERAGE", "TOTAL",
    "WIND", "DIRECTION", "WIND", "SPEED",
    "LEVEL", "850", "MB", "700", "MB", "500", "MB", "500", "MB", "10", "M", "10", "M",
    "UNITS", "HPA", "DEGC", "DEGC", "DEGC", "DEGC", "DM", "PCT", "MM", "PCT", "DEG", "KNTS",
};

bool check_gfs_header(const char* file_name) {
    std::ifstream in(file_name);
    if (!in.is_open()) return false;
    std::string word;
    read_word(in, word);
    // Only a word followed by more input can open the header, so a read that reaches the
    // end of the file ends the search.
    while (word != header_words[0]) {
        if (!read_word(in, word) || in.eof()) return false;
    }
    // A failed read would keep the previous word, which could equal the next expected one
    // ("DEGC"), so it counts as a mismatch at once.
    for (const char* expected : header_words) {
        if (expected == header_words[0]) continue;
        if (!read_word(in, word) || word != expected) return false;
    }
    return true;
}
