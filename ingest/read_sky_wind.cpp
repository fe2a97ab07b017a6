#include "ingest/read_sky_wind.h"

#include "ingest/read_bulletin_blocks.h"
#include "plumbing/reading.h"

#include <fstream>
#include <string>

// Elements of one bulletin in each group's array.
static const int short_block = 57;
static const int ext_block = 22;

// Cloud cover words and their codes; extended rows glue the column separator to a word.
static const char* const short_cloud_words[] = {"CL", "FW", "SC", "BK", "OV"};
static const int short_cloud_codes[] = {0, 1, 3, 7, 10};
static const char* const ext_cloud_words[] = {"CL|", "CL", "PC|", "PC", "OV|", "OV"};
static const int ext_cloud_codes[] = {0, 0, 5, 5, 10, 10};

// Reads the "CLD", "WDR" and "WSP" rows of one short-range bulletin into e[0..56], searching
// no label at or beyond limit. Returns false at a missing label, an unknown cloud word or a
// value that is no integer.
static bool read_short_sky_wind(std::istream& in, std::int32_t* e, long long limit) {
    if (!find_label(in, "CLD", limit)) return false;
    std::string word;
    for (int i = 0; i < 19; ++i) {
        if (!read_word(in, word) ||
            !cloud_code(word, short_cloud_words, short_cloud_codes, 5, e[i]))
            return false;
    }
    return find_label(in, "WDR", limit) && read_ints(in, e + 19, 19) &&
           find_label(in, "WSP", limit) && read_ints(in, e + 38, 19);
}

// Reads the "CLD" and "WND" rows of one extended bulletin into e[0..21], searching no label
// at or beyond limit (none when negative). Returns false at a missing label, an unknown cloud
// word, a value that is no integer, or the end of input before the last value.
static bool read_ext_sky_wind(std::istream& in, std::int32_t* e, long long limit) {
    if (!find_label(in, "CLD", limit) || !skip_column_words(in, 4)) return false;
    std::string word;
    for (int i = 0; i < 11; ++i) {
        if (!read_column_word(in, word) ||
            !cloud_code(word, ext_cloud_words, ext_cloud_codes, 6, e[i]))
            return false;
    }
    if (!find_label(in, "WND", limit) || !skip_column_words(in, 4)) return false;
    int a = 0, b = 0;
    char mark = 0;
    if (!read_int(in, a)) return false;
    // A mark fails only at the end of input, where the next read fails in turn.
    read_mark(in, mark);
    e[11] = a;
    for (int k = 1; k <= 9; k += 2) {
        if (!read_int(in, a) || !read_int(in, b)) return false;
        read_mark(in, mark);
        e[11 + k] = a;
        e[12 + k] = b;
    }
    return true;
}

bool read_sky_wind(std::int32_t* eta_sky_wind, std::int32_t* avn_sky_wind,
                   std::int32_t* mrf_sky_wind, const char* file_name,
                   const bulletin_layout& layout) {
    // A stream of the reader's own, opened and closed on every call.
    static std::ifstream in;
    return read_bulletin_blocks(in, file_name, layout, read_short_sky_wind, short_block,
                                eta_sky_wind, avn_sky_wind, read_ext_sky_wind, ext_block,
                                mrf_sky_wind);
}
