#pragma once

#include "calendar/utc_time.h"
#include "gfs/gfs_table.h"

#include <string>

// Everything a GFS chart shows. The caller reads the run time; the chart reads no file.
struct gfs_chart_input {
    std::string file_name; // the GFS model file, as the user named it
    bool run_known;        // run_time was found in the file
    utc_time run_time;     // the model run, the time of forecast hour 0
    // The gfs_row_count rows of the table, in the table's units.
    const gfs_table_row* rows;
};
