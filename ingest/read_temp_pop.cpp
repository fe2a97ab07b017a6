#include "ingest/read_temp_pop.h"

#include "ingest/read_bulletin_blocks.h"
#include "reading/reading.h"

#include <istream>
#include <string>

// The dew points of a short-range row that stand at the times of the maxima and minima:
// the 7th, 11th, 15th and 19th of its 19.
static bool kept_dew_point(int column) {
    return column >= 7 && (column - 7) % 4 == 0;
}

// Reads the DPT row found at row, keeping the dew points the day table takes.
static bool read_dew_points(std::istream& in, short_temp_pop& b, long long row, fault& why) {
    int kept = 0;
    for (int column = 1; column <= short_columns; ++column) {
        int value = 0;
        if (!read_int(in, value)) return value_fault(in, "DPT", row, "a whole number", why);
        if (kept_dew_point(column)) b.dew_point[kept++] = value;
    }
    return true;
}

// Reads the "N/X", "DPT" and "P12" rows of one short-range bulletin, searching no label at
// or beyond limit. Returns false, with why set, at a missing label or a value that is no
// integer.
static bool read_short_temp_pop(std::istream& in, short_temp_pop& b, long long limit,
                                long long* rows, fault& why) {
    if (!find_row(in, "N/X", nullptr, limit, rows[0], why) ||
        !read_ints(in, b.temp, 4, "N/X", rows[0], why))
        return false;
    if (!find_row(in, "DPT", "N/X", limit, rows[1], why) || !read_dew_points(in, b, rows[1], why))
        return false;
    return find_row(in, "P12", "DPT", limit, rows[2], why) &&
           read_ints(in, b.pop12, 4, "P12", rows[2], why);
}

// Reads the temperature and P12 rows of one National Blend bulletin (NBS) of 1200 UTC,
// and its DPT row as a short-range one. Its temperature row is "TXN" (NBM 4 and later) or
// "N/X" (NBM 3), and that row and P12 begin with the value at hour 12, before the four
// that stand under the hours of a NAM MOS bulletin: that first value is passed over.
static bool read_blend_temp_pop(std::istream& in, short_temp_pop& b, long long limit,
                                long long* rows, fault& why) {
    const bool at_end = in.eof();
    in.clear();
    const long long body = static_cast<long long>(in.tellg());
    if (at_end) in.setstate(std::ios::eofbit);
    const char* temp_label = "TXN";
    if (!find_row(in, temp_label, nullptr, limit, rows[0], why)) {
        temp_label = "N/X";
        in.clear();
        if (body < 0 || in.seekg(body).fail() ||
            !find_row(in, temp_label, nullptr, limit, rows[0], why)) {
            why.position = -1;
            why.what = std::string("no TXN or N/X row") +
                       (limit >= 0 ? " before the next bulletin" : " before the end of the file");
            return false;
        }
    }
    std::int32_t hour_12 = 0;
    if (!read_ints(in, &hour_12, 1, temp_label, rows[0], why) ||
        !read_ints(in, b.temp, 4, temp_label, rows[0], why))
        return false;
    if (!find_row(in, "DPT", temp_label, limit, rows[1], why) ||
        !read_dew_points(in, b, rows[1], why))
        return false;
    return find_row(in, "P12", "DPT", limit, rows[2], why) &&
           read_ints(in, &hour_12, 1, "P12", rows[2], why) &&
           read_ints(in, b.pop12, 4, "P12", rows[2], why);
}

// Reads pairs of integers of the row labelled label (found at row), each pair followed by
// a column separator, into first and second. Returns false, with why set, at a value that
// is no integer.
static bool read_pairs(std::istream& in, std::int32_t* first, std::int32_t* second,
                       const char* label, long long row, fault& why) {
    int a = 0, b = 0;
    char mark = 0;
    for (int i = 0; i < extended_days; ++i) {
        if (!read_int(in, a) || !read_int(in, b))
            return value_fault(in, label, row, "a whole number", why);
        // A mark fails only at the end of input, where the next read fails in turn.
        read_mark(in, mark);
        first[i] = a;
        second[i] = b;
    }
    return true;
}

// Words of the extended rows before the days the run reads: the columns of days 1 and 2
// and the first of day 3's.
static const int skipped_ext_columns = 5;

// Reads the "X/N", "DPT" and "P24" rows of one extended bulletin, searching no label at or
// beyond limit (none when negative). Returns false, with why set, at a missing label, a
// value that is no integer, or the end of input before the last value.
static bool read_ext_temp_pop(std::istream& in, ext_temp_pop& b, long long limit, long long* rows,
                              fault& why) {
    if (!find_row(in, "X/N", nullptr, limit, rows[0], why) ||
        !skip_row_words(in, skipped_ext_columns, "X/N", rows[0], why) ||
        !read_pairs(in, b.low_temp, b.high_temp, "X/N", rows[0], why))
        return false;
    // Missing climate normals are written "999" right behind the last maximum ("57999999"),
    // so the maximum is what stands before the last six digits.
    std::int32_t& last = b.high_temp[extended_days - 1];
    if (last > 999 || last < -999) last /= 1000000;
    if (!find_row(in, "DPT", "X/N", limit, rows[1], why) ||
        !skip_row_words(in, skipped_ext_columns, "DPT", rows[1], why) ||
        !read_pairs(in, b.low_dew_point, b.high_dew_point, "DPT", rows[1], why))
        return false;
    char mark = 0;
    if (!find_row(in, "P24", "DPT", limit, rows[2], why)) return false;
    read_mark(in, mark);
    if (!skip_row_words(in, 2, "P24", rows[2], why)) return false;
    for (int i = 0; i < extended_days; ++i) {
        int value = 0;
        if (!read_int(in, value)) return value_fault(in, "P24", rows[2], "a whole number", why);
        read_mark(in, mark);
        b.pop24[i] = value;
    }
    return true;
}

bool read_temp_pop(std::istream& in, const bulletin_layout& layout, bulletin_values& values,
                   bulletin_rows& rows, fault& why) {
    return read_bulletin_blocks<short_temp_pop, ext_temp_pop>(
        in, layout, read_short_temp_pop, read_blend_temp_pop, values.eta_temp_pop,
        values.avn_temp_pop, read_ext_temp_pop, values.mrf_temp_pop, rows, why);
}
