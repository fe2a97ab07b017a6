#include "ingest/read_sky_wind.h"

#include "ingest/read_bulletin_blocks.h"
#include "reading/places.h"
#include "reading/reading.h"

#include <istream>
#include <iterator>
#include <string>

// Cloud cover words and their codes; extended rows glue the column separator to a word.
static const cloud_word short_cloud_words[] = {
    {"CL", 0}, {"FW", 1}, {"SC", 3}, {"BK", 7}, {"OV", 10}};
static const cloud_word ext_cloud_words[] = {{"CL|", 0}, {"CL", 0},   {"PC|", 5},
                                             {"PC", 5},  {"OV|", 10}, {"OV", 10}};

// How read_clouds takes one word of its row.
using word_reader = bool (*)(std::istream&, std::string&);

// Reads count cloud words of the "CLD" row found at row into codes, each word as read_one
// takes it. Returns false, with why set, at an unknown word or the end of the file.
static bool read_clouds(std::istream& in, std::int32_t* codes, int count, long long row,
                        word_reader read_one, const cloud_word* words, int word_count,
                        const char* known, fault& why) {
    std::string word;
    for (int i = 0; i < count; ++i) {
        if (!read_one(in, word)) return value_fault(in, "CLD", row, known, why);
        if (!cloud_code(word, words, word_count, codes[i])) {
            in.clear();
            why.position = static_cast<long long>(in.tellg()) - static_cast<long long>(word.size());
            why.what = "the CLD row holds " + quote_word(word) + " where " + known + " belongs";
            return false;
        }
    }
    return true;
}

// A word of a short-range row, as read_clouds takes its reader.
static bool read_row_word(std::istream& in, std::string& word) {
    return read_word(in, word);
}

// Reads the "CLD", "WDR" and "WSP" rows of one short-range bulletin, searching no label at
// or beyond limit. Returns false, with why set, at a missing label, an unknown cloud word
// or a value that is no integer.
static bool read_short_sky_wind(std::istream& in, short_sky_wind& b, long long limit,
                                long long* rows, fault& why) {
    b.sky_percent = 0;
    return find_row(in, "CLD", nullptr, limit, rows[0], why) &&
           read_clouds(in, b.cloud, short_columns, rows[0], read_row_word, short_cloud_words,
                       static_cast<int>(std::size(short_cloud_words)),
                       "a cloud word (CL, FW, SC, BK or OV)", why) &&
           find_row(in, "WDR", "CLD", limit, rows[1], why) &&
           read_ints(in, b.direction, short_columns, "WDR", rows[1], why) &&
           find_row(in, "WSP", "WDR", limit, rows[2], why) &&
           read_ints(in, b.speed, short_columns, "WSP", rows[2], why);
}

// Width of a column of a short-range row; a sky cover of 100 fills one whole and so runs
// into the value before it ("98100").
static const std::size_t column_width = 3;

// Reads the 19 sky covers (percent) of the "SKY" row found at row into percent. A word of
// digits longer than one column is taken as columns counted from its right end.
static bool read_sky_covers(std::istream& in, std::int32_t* percent, long long row, fault& why) {
    std::string word;
    int count = 0;
    while (count < short_columns) {
        if (!read_word(in, word)) return value_fault(in, "SKY", row, "a sky cover", why);
        if (word.empty() || word.find_first_not_of("0123456789") != std::string::npos) {
            in.clear();
            why.position = static_cast<long long>(in.tellg()) - static_cast<long long>(word.size());
            why.what = "the SKY row holds " + quote_word(word) + " where a sky cover belongs";
            return false;
        }
        // Columns of this word, leftmost first: the first may be narrower.
        const std::size_t first = word.size() % column_width;
        std::size_t start = 0;
        for (std::size_t end = first ? first : column_width;
             end <= word.size() && count < short_columns; end += column_width) {
            std::int32_t value = 0;
            for (; start < end; ++start) value = value * 10 + (word[start] - '0');
            percent[count++] = value;
        }
    }
    return true;
}

// Reads the "SKY", "WDR" and "WSP" rows of one National Blend bulletin (NBS), searching
// no label at or beyond limit; the sky covers are percent, not cloud codes.
static bool read_blend_sky_wind(std::istream& in, short_sky_wind& b, long long limit,
                                long long* rows, fault& why) {
    b.sky_percent = 1;
    return find_row(in, "SKY", nullptr, limit, rows[0], why) &&
           read_sky_covers(in, b.cloud, rows[0], why) &&
           find_row(in, "WDR", "SKY", limit, rows[1], why) &&
           read_ints(in, b.direction, short_columns, "WDR", rows[1], why) &&
           find_row(in, "WSP", "WDR", limit, rows[2], why) &&
           read_ints(in, b.speed, short_columns, "WSP", rows[2], why);
}

// Words of the extended rows before hour 72: the columns of hours 12 to 60.
static const int skipped_ext_columns = 4;

// Reads the "CLD" and "WND" rows of one extended bulletin, searching no label at or beyond
// limit (none when negative). Returns false, with why set, at a missing label, an unknown
// cloud word, a value that is no integer, or the end of input before the last value.
static bool read_ext_sky_wind(std::istream& in, ext_sky_wind& b, long long limit, long long* rows,
                              fault& why) {
    rows[2] = -1;
    if (!find_row(in, "CLD", nullptr, limit, rows[0], why) ||
        !skip_row_words(in, skipped_ext_columns, "CLD", rows[0], why) ||
        !read_clouds(in, b.cloud, extended_columns, rows[0], read_column_word, ext_cloud_words,
                     static_cast<int>(std::size(ext_cloud_words)), "a cloud word (CL, PC or OV)",
                     why))
        return false;
    if (!find_row(in, "WND", "CLD", limit, rows[1], why) ||
        !skip_row_words(in, skipped_ext_columns, "WND", rows[1], why))
        return false;
    // The first value stands alone before a separator, the others in pairs, each pair
    // followed by one.
    int a = 0, b2 = 0;
    char mark = 0;
    if (!read_int(in, a)) return value_fault(in, "WND", rows[1], "a whole number", why);
    // A mark fails only at the end of input, where the next read fails in turn.
    read_mark(in, mark);
    b.speed[0] = a;
    for (int k = 1; k < extended_columns; k += 2) {
        if (!read_int(in, a) || !read_int(in, b2))
            return value_fault(in, "WND", rows[1], "a whole number", why);
        read_mark(in, mark);
        b.speed[k] = a;
        b.speed[k + 1] = b2;
    }
    return true;
}

bool read_sky_wind(std::istream& in, const bulletin_layout& layout, bulletin_values& values,
                   bulletin_rows& rows, fault& why) {
    return read_bulletin_blocks<short_sky_wind, ext_sky_wind>(
        in, layout, read_short_sky_wind, read_blend_sky_wind, values.eta_sky_wind,
        values.avn_sky_wind, read_ext_sky_wind, values.mrf_sky_wind, rows, why);
}
