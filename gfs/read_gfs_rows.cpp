#include "reading/quote_word.h"
#include "gfs/read_gfs_rows.h"

#include "reading/reading.h"

#include <fstream>
#include <string>

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
static bool row_fault(std::istream& in, gfs_row* rows, int bad, file_note& fault) {
    const std::string row_name = "row " + std::to_string(bad + 1) + " of 48";
    fault = {-1, "the file holds " + std::to_string(bad) + " of the 48 rows"};
    in.clear();
    if (!in.seekg(0) || !find_label(in, "FHR")) return false;
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
            if (i > 0) fault = {row_start, row_name + " ends with the end of the file"};
            return false;
        }
        if (read_item(in, rows[bad], i)) continue;
        bool begun = false;
        const std::string word = quoted_word_at(in, start, &begun);
        // A word whose front the previous value took ("1O.5" read as 1) is that value's.
        const int culprit = begun && i > 3 ? i - 1 : i;
        fault.position = start;
        fault.what = row_name;
        if (culprit == 1)
            fault.what += ": the hour (" + word + ") is no whole number";
        else
            fault.what += ": value " + std::to_string(culprit - 2) + " (" + word + ") is no number";
        return false;
    }
    return false;
}

bool read_gfs_rows(gfs_row* rows, const char* file_name, file_note& fault) {
    std::ifstream in(file_name, std::ios::binary);
    // The search starts at the beginning of the file, not after the header.
    if (!find_label(in, "FHR")) {
        fault = {-1, "no word \"FHR\" before the end of the file, so no rows"};
        return false;
    }
    for (int i = 0; i < gfs_row_count; ++i) {
        if (!read_row(in, rows[i])) return row_fault(in, rows, i, fault);
    }
    return true;
}
