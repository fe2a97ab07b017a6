#pragma once

#include "gfs/gfs_rows.h"
#include "calendar/utc_time.h"

#include <string>

// Everything a GFS chart shows.
struct gfs_chart_input {
    std::string file_name; // the GFS model file, as the user named it
    bool run_known;        // run_time was read from the file
    utc_time run_time;     // the model run, the time of forecast hour 0
    // gfs_row_count rows converted to the table's units, and the 2 m temperature raised and
    // lowered by its adjustment (degrees F), one per row.
    const gfs_row* rows;
    const double* temp_plus;
    const double* temp_minus;
};
