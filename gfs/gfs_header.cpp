#include "gfs/gfs_header.h"
#include "reading/places.h"

#include "reading/reading.h"

#include <istream>
#include <string>

// The one field header the run knows: field names, their levels, then the unit of each
// of the eleven fields. The cut words are part of the format.
// clang-format off
const char* const gfs_header_words[gfs_header_word_count] = {
    "FIELD", "MEAN", "SEA-LEVEL", "2", "M", "TEMPERATUR", "TEMPERATURE", "TEMPERATURE",
    "TEMPERATURE", "THICKNESS", "2", "METER", "RELATI", "6HR", "PRECIPITAT", "AVERAGE", "TOTAL",
    "WIND", "DIRECTION", "WIND", "SPEED",
    "LEVEL", "850", "MB", "700", "MB", "500", "MB", "500", "MB", "10", "M", "10", "M",
    "UNITS", "HPA", "DEGC", "DEGC", "DEGC", "DEGC", "DM", "PCT", "MM", "PCT", "DEG", "KNTS",
};
// clang-format on

// The word that opens the header.
static const std::string first_word = gfs_header_words[0];

static bool field_header_fault(fault& why, long long position, const std::string& what) {
    why = fault{fault_kind::incorrect_format, what, "", 0, position};
    return false;
}

bool check_gfs_header(std::istream& in, long long& field_at, fault& why) {
    // Only a word followed by more input can open the header, so a "FIELD" that ends the
    // file ends the search.
    if (!find_label(in, first_word))
        return field_header_fault(why, -1,
                                  "no field header: the word \"FIELD\" is not in the file");
    if (in.eof()) {
        in.clear();
        return field_header_fault(
            why, static_cast<long long>(in.tellg()) - static_cast<long long>(first_word.size()),
            "the file ends right after \"FIELD\", where the field header begins");
    }
    in.clear();
    field_at = static_cast<long long>(in.tellg()) - static_cast<long long>(first_word.size());
    std::string word;
    // A failed read would keep the previous word, which could equal the next expected one
    // ("DEGC"), so it counts as a mismatch at once.
    for (int i = 1; i < gfs_header_word_count; ++i) {
        const std::string expected = "field header word " + std::to_string(i + 1) + " should be " +
                                     quote_word(gfs_header_words[i]);
        if (!read_word(in, word))
            return field_header_fault(why, -1, expected + "; the file ends first");
        if (word != gfs_header_words[i]) {
            in.clear();
            return field_header_fault(
                why, static_cast<long long>(in.tellg()) - static_cast<long long>(word.size()),
                expected + "; found " + quote_word(word));
        }
    }
    return true;
}
