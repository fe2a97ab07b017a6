#pragma once

#include "calendar/utc_time.h"
#include "diagnostics/fault.h"
#include "gfs/gfs_table.h"

#include <iosfwd>
#include <string>

// Everything a GFS chart shows. The caller reads the run time; the chart reads no file.
struct gfs_chart_input {
    std::string file_name; // the GFS model file, as the user named it
    bool run_known;        // run_time was found in the file
    utc_time run_time;     // the model run, the time of forecast hour 0
    // The gfs_row_count rows of the table, in the table's units.
    const gfs_table_row* rows;
};

// Writes the meteogram of a GFS run as one self-contained SVG document of 1100 by 900
// pixels against forecast hour: 2 m temperature with the band between its lowered and
// raised values and the 850 hPa temperature, sea-level pressure, 6-hour precipitation as
// bars, relative humidity and cloud cover, and wind speed with direction arrows.
// Returns false, having written nothing, with why (fault_kind::incorrect_format) when the
// hours span more than a chart can show or a known run time is no real time. The stream's
// own errors are the caller's.
bool write_gfs_chart(std::ostream& out, const gfs_chart_input& input, fault& why);
