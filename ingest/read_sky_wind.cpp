#include "reading/quote_word.h"
#include "ingest/read_sky_wind.h"

#include "ingest/read_bulletin_blocks.h"
#include "reading/reading.h"

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

// Reads count cloud words of the "CLD" row found at row into codes, each word as read_one
// takes it. Returns false, with fault set, at an unknown word or the end of the file.
static bool read_clouds(std::istream& in, std::int32_t* codes, int count, long long row,
                        bool (*read_one)(std::istream&, std::string&), const char* const* words,
                        const int* word_codes, int word_count, const char* known,
                        file_note& fault) {
    std::string word;
    for (int i = 0; i < count; ++i) {
        if (!read_one(in, word)) return value_fault(in, "CLD", row, known, fault);
        if (!cloud_code(word, words, word_codes, word_count, codes[i])) {
            in.clear();
            fault.position =
                static_cast<long long>(in.tellg()) - static_cast<long long>(word.size());
            fault.what = "the CLD row holds " + quote_word(word) + " where " + known + " belongs";
            return false;
        }
    }
    return true;
}

// A word of a short-range row, as read_clouds takes its reader.
static bool read_row_word(std::istream& in, std::string& word) {
    return read_word(in, word);
}

// Reads the "CLD", "WDR" and "WSP" rows of one short-range bulletin into e[0..56], searching
// no label at or beyond limit. Returns false, with fault set, at a missing label, an
// unknown cloud word or a value that is no integer.
static bool read_short_sky_wind(std::istream& in, std::int32_t* e, long long limit, long long* rows,
                                file_note& fault) {
    return find_row(in, "CLD", nullptr, limit, rows[0], fault) &&
           read_clouds(in, e, 19, rows[0], read_row_word, short_cloud_words, short_cloud_codes, 5,
                       "a cloud word (CL, FW, SC, BK or OV)", fault) &&
           find_row(in, "WDR", "CLD", limit, rows[1], fault) &&
           read_ints(in, e + 19, 19, "WDR", rows[1], fault) &&
           find_row(in, "WSP", "WDR", limit, rows[2], fault) &&
           read_ints(in, e + 38, 19, "WSP", rows[2], fault);
}

// Reads the "CLD" and "WND" rows of one extended bulletin into e[0..21], searching no label
// at or beyond limit (none when negative). Returns false, with fault set, at a missing
// label, an unknown cloud word, a value that is no integer, or the end of input before the
// last value.
static bool read_ext_sky_wind(std::istream& in, std::int32_t* e, long long limit, long long* rows,
                              file_note& fault) {
    rows[2] = -1;
    if (!find_row(in, "CLD", nullptr, limit, rows[0], fault) ||
        !skip_row_words(in, 4, "CLD", rows[0], fault) ||
        !read_clouds(in, e, 11, rows[0], read_column_word, ext_cloud_words, ext_cloud_codes, 6,
                     "a cloud word (CL, PC or OV)", fault))
        return false;
    if (!find_row(in, "WND", "CLD", limit, rows[1], fault) ||
        !skip_row_words(in, 4, "WND", rows[1], fault))
        return false;
    int a = 0, b = 0;
    char mark = 0;
    if (!read_int(in, a)) return value_fault(in, "WND", rows[1], "a whole number", fault);
    // A mark fails only at the end of input, where the next read fails in turn.
    read_mark(in, mark);
    e[11] = a;
    for (int k = 1; k <= 9; k += 2) {
        if (!read_int(in, a) || !read_int(in, b))
            return value_fault(in, "WND", rows[1], "a whole number", fault);
        read_mark(in, mark);
        e[11 + k] = a;
        e[12 + k] = b;
    }
    return true;
}

bool read_sky_wind(std::int32_t* eta_sky_wind, std::int32_t* avn_sky_wind,
                   std::int32_t* mrf_sky_wind, const char* file_name, const bulletin_layout& layout,
                   long long* row_start, file_note& fault) {
    // A stream of the reader's own, opened and closed on every call.
    static std::ifstream in;
    return read_bulletin_blocks(in, file_name, layout, read_short_sky_wind, short_block,
                                eta_sky_wind, avn_sky_wind, read_ext_sky_wind, ext_block,
                                mrf_sky_wind, row_start, fault);
}
