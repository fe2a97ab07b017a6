#pragma once

#include "diagnostics/fault.h"
#include "gfs/gfs_model_file.h"
#include "grib/gfs_fields.h"
#include "grib/regular_grid.h"

#include <string>

// What the messages read so far gave at the grid point, before any conversion: one value
// per field and row (hour 6 is row 0), in the message's own units.
struct point_values {
    double value[gfs_row_count][gfs_field_count];
    bool have[gfs_row_count][gfs_field_count];
    bool instant_cloud[gfs_row_count]; // a TCDC that is no average was seen
    double latitude, longitude;        // the point asked for
    bool run_known;
    long long run; // dataDate * 10000 + dataTime of every message used
    std::string run_file;
    bool grid_known;
    regular_grid grid;
    std::string grid_file;
    long index; // of the grid point in the values of a message
    double point_latitude, point_longitude;
};

// Takes every message of file that values still lacks or that repeats one (the later one
// counts), decoding the value at the grid point of those alone. False, with why naming the
// file and the message, for a file that cannot be opened, is no GRIB2, holds a message of
// another run or another grid than those before it, or whose grid lacks the point.
bool read_grib_file(const std::string& file, point_values& values, fault& why);
