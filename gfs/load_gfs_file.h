#pragma once

#include "calendar/utc_time.h"
#include "diagnostics/fault.h"
#include "gfs/gfs_rows.h"

#include <iosfwd>
#include <string>

// A GFS model file as the GFS run takes it.
struct gfs_model {
    gfs_row rows[gfs_row_count];     // in the file's units
    long long row_at[gfs_row_count]; // where each row starts (byte position)
    bool run_known = false;          // run_time was read from the preamble
    utc_time run_time{0, 0, 0, 0};   // the model run, the time of forecast hour 0
    bool point_known = false;        // the preamble's POINT: line gave the point
    double latitude = 0;             // degrees north
    double longitude = 0;            // degrees east
};

// Checks the field header of the stream (the file name, opened in binary mode), reads its
// rows and the model run and point of its preamble. Returns false when the file is not in the
// format or cannot be read to its end, with why set to what is wrong and where.
bool load_gfs_file(std::istream& in, const std::string& name, gfs_model& model, fault& why);
