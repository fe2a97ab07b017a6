#include "gfs/read_gfs_rows.h"

#include "plumbing/reading.h"

#include <fstream>

// The marks are taken unexamined: a row written without them gives up the first
// character of its hour or of its first value instead.
static bool read_row(std::istream& in, gfs_row& row) {
    char mark = 0;
    return read_mark(in, mark) && read_int(in, row.hour) && read_mark(in, mark) &&
           read_double(in, row.mslp) && read_double(in, row.t2m) && read_double(in, row.t850) &&
           read_double(in, row.t700) && read_double(in, row.t500) &&
           read_double(in, row.thickness) && read_double(in, row.rh) &&
           read_double(in, row.precip) && read_double(in, row.cloud) &&
           read_double(in, row.wind_dir) && read_double(in, row.wind_speed);
}

bool read_gfs_rows(gfs_row* rows, const char* file_name) {
    std::ifstream in(file_name, std::ios::binary);
    // The search starts at the beginning of the file, not after the header.
    if (!find_label(in, "FHR")) return false;
    for (int i = 0; i < gfs_row_count; ++i) {
        if (!read_row(in, rows[i])) return false;
    }
    return true;
}
