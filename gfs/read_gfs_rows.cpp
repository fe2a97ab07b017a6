#include "gfs/read_gfs_rows.h"
#include "reading/places.h"

#include "reading/reading.h"

#include <istream>
#include <string>

// The word after which the rows start.
static const char* const data_label = "FHR";

// Items of a row in reading order: a mark, the hour, a mark, then the eleven values.
static const int row_items = 14;

// Reads item i of a row. The marks are taken unexamined: a row written without them gives
// up the first character of its hour or of its first value instead.
static bool read_item(std::istream& in, gfs_row& row, int i) {
    double* const values[] = {&row.mslp,  &row.t2m,       &row.t850,      &row.t700,
                              &row.t500,  &row.thickness, &row.rh,        &row.precip,
                              &row.cloud, &row.wind_dir,  &row.wind_speed};
    char mark = 0;
    if (i == 0 || i == 2) return read_mark(in, mark);
    if (i == 1) return read_int(in, row.hour);
    return read_double(in, *values[i - 3]);
}

static bool read_row(std::istream& in, gfs_row& row) {
    for (int i = 0; i < row_items; ++i)
        if (!read_item(in, row, i)) return false;
    return true;
}

// Says what is wrong with row bad, the first that failed. The fault path alone reads the
// rows again, noting where each item of that row starts, so that reading a good file costs
// nothing more.
static bool row_fault(std::istream& in, gfs_row* rows, int bad, fault& why) {
    const std::string row_name =
        "row " + std::to_string(bad + 1) + " of " + std::to_string(gfs_row_count);
    why = fault{fault_kind::incorrect_format,
                "the file holds " + std::to_string(bad) + " of the " +
                    std::to_string(gfs_row_count) + " rows",
                "", 0, -1};
    in.clear();
    if (!in.seekg(0) || !find_label(in, data_label)) return false;
    for (int r = 0; r < bad; ++r) read_row(in, rows[r]);
    long long row_start = -1;
    for (int i = 0; i < row_items; ++i) {
        // The item's first character, after the white space its read skips.
        in >> std::ws;
        const bool at_end = in.eof();
        in.clear();
        const long long start = static_cast<long long>(in.tellg());
        if (i == 0) row_start = start;
        if (at_end) {
            if (i > 0) {
                why.position = row_start;
                why.what = row_name + " ends with the end of the file";
            }
            return false;
        }
        if (read_item(in, rows[bad], i)) continue;
        bool begun = false;
        const std::string word = quoted_word_at(in, start, &begun);
        // A word whose front the previous value took ("1O.5" read as 1) is that value's.
        const int culprit = begun && i > 3 ? i - 1 : i;
        why.position = start;
        why.what = row_name;
        if (culprit == 1)
            why.what += ": the hour (" + word + ") is no whole number";
        else
            why.what += ": value " + std::to_string(culprit - 2) + " (" + word + ") is no number";
        return false;
    }
    return false;
}

bool read_gfs_rows(std::istream& in, gfs_row* rows, long long* row_at, fault& why) {
    // The search starts at the beginning of the file, not after the header.
    in.clear();
    if (!in.seekg(0) || !find_label(in, data_label)) {
        why = fault{fault_kind::incorrect_format,
                    "no word \"FHR\" before the end of the file, so no rows", "", 0, -1};
        return false;
    }
    for (int i = 0; i < gfs_row_count; ++i) {
        // Where the row starts, for a value the conversion cannot take later.
        in >> std::ws;
        const bool at_end = in.eof();
        in.clear();
        row_at[i] = static_cast<long long>(in.tellg());
        if (at_end) in.setstate(std::ios::eofbit);
        if (!read_row(in, rows[i])) return row_fault(in, rows, i, why);
    }
    return true;
}
