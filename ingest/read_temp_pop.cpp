#include "ingest/read_temp_pop.h"

#include "ingest/read_bulletin_blocks.h"
#include "reading/reading.h"

#include <fstream>

// Elements of one bulletin in each group's array.
static const int short_block = 12;
static const int ext_block = 25;

// Reads the "N/X", "DPT" and "P12" rows of one short-range bulletin into e[0..11], searching
// no label at or beyond limit. Returns false, with fault set, at a missing label or a value
// that is no integer.
static bool read_short_temp_pop(std::istream& in, std::int32_t* e, long long limit, long long* rows,
                                file_note& fault) {
    if (!find_row(in, "N/X", nullptr, limit, rows[0], fault) ||
        !read_ints(in, e, 4, "N/X", rows[0], fault))
        return false;
    // Of the dew points only those at the times of the maxima and minima are kept.
    if (!find_row(in, "DPT", "N/X", limit, rows[1], fault)) return false;
    int value = 0;
    for (int i = 1; i <= 19; ++i) {
        if (!read_int(in, value)) return value_fault(in, "DPT", rows[1], "a whole number", fault);
        if (i >= 7 && (i - 7) % 4 == 0) e[4 + (i - 7) / 4] = value;
    }
    return find_row(in, "P12", "DPT", limit, rows[2], fault) &&
           read_ints(in, e + 8, 4, "P12", rows[2], fault);
}

// Reads pairs of integers of the row labelled label (found at row), each pair followed by
// a column separator, into first[0..count-1] and second[0..count-1]. Returns false, with
// fault set, at a value that is no integer.
static bool read_pairs(std::istream& in, std::int32_t* first, std::int32_t* second, int count,
                       const char* label, long long row, file_note& fault) {
    int a = 0, b = 0;
    char mark = 0;
    for (int i = 0; i < count; ++i) {
        if (!read_int(in, a) || !read_int(in, b))
            return value_fault(in, label, row, "a whole number", fault);
        // A mark fails only at the end of input, where the next read fails in turn.
        read_mark(in, mark);
        first[i] = a;
        second[i] = b;
    }
    return true;
}

// Reads the "X/N", "DPT" and "P24" rows of one extended bulletin into e[0..24], searching no
// label at or beyond limit (none when negative). Returns false, with fault set, at a
// missing label, a value that is no integer, or the end of input before the last value.
static bool read_ext_temp_pop(std::istream& in, std::int32_t* e, long long limit, long long* rows,
                              file_note& fault) {
    if (!find_row(in, "X/N", nullptr, limit, rows[0], fault) ||
        !skip_row_words(in, 5, "X/N", rows[0], fault) ||
        !read_pairs(in, e, e + 5, 5, "X/N", rows[0], fault))
        return false;
    // Missing climate normals are written "999" right behind the last maximum ("57999999"),
    // so the maximum is what stands before the last six digits.
    if (e[9] > 999 || e[9] < -999) e[9] /= 1000000;
    if (!find_row(in, "DPT", "X/N", limit, rows[1], fault) ||
        !skip_row_words(in, 5, "DPT", rows[1], fault) ||
        !read_pairs(in, e + 10, e + 15, 5, "DPT", rows[1], fault))
        return false;
    char mark = 0;
    if (!find_row(in, "P24", "DPT", limit, rows[2], fault)) return false;
    read_mark(in, mark);
    if (!skip_row_words(in, 2, "P24", rows[2], fault)) return false;
    for (int i = 0; i < 5; ++i) {
        int value = 0;
        if (!read_int(in, value)) return value_fault(in, "P24", rows[2], "a whole number", fault);
        read_mark(in, mark);
        e[20 + i] = value;
    }
    return true;
}

bool read_temp_pop(std::int32_t* eta_temp_pop, std::int32_t* avn_temp_pop,
                   std::int32_t* mrf_temp_pop, const char* file_name, const bulletin_layout& layout,
                   long long* row_start, file_note& fault) {
    // A stream of the reader's own, opened and closed on every call.
    static std::ifstream in;
    return read_bulletin_blocks(in, file_name, layout, read_short_temp_pop, short_block,
                                eta_temp_pop, avn_temp_pop, read_ext_temp_pop, ext_block,
                                mrf_temp_pop, row_start, fault);
}
