#pragma once

#include "calendar/utc_time.h"
#include "diagnostics/fault.h"
#include "gfs/gfs_model_file.h"

#include <string>
#include <vector>

// The city's point, as the sample model file's preamble gives it; east positive.
inline constexpr double city_latitude = 44.05;
inline constexpr double city_longitude = -97.20;

// What to read: GRIB2 files of one GFS run, holding any messages in any order, and the
// point whose nearest grid point is taken, in degrees north and east (-180 to 360).
struct gfs_point_request {
    std::vector<std::string> files;
    double latitude = city_latitude;
    double longitude = city_longitude;
};

// The run at one grid point as the model file holds it: the rows of hours 6 to 288 in the
// file's units, already rounded at the file's precision.
struct gfs_point_series {
    gfs_row rows[gfs_row_count];
    utc_time run;
    double grid_step;      // degrees between grid longitudes
    double grid_latitude;  // the grid point taken
    double grid_longitude; // -180 (exclusive) to 180
    double latitude;       // the point asked for, as given
    double longitude;
};

// Reads the messages of the request's files that the model file needs, decoding the values
// of those alone, and fills series. Returns false, with why saying which file, message,
// hour or field, when a file is no GRIB2, a field or an hour is missing, two runs are mixed,
// the grids differ or the point is off the grid. Notes gets the lines for standard error:
// which hours' precipitation came from the run totals, or, on refusal, the further hours
// that lack fields. Prints nothing.
bool load_gfs_point(const gfs_point_request& request, gfs_point_series& series,
                    std::vector<std::string>& notes, fault& why);

// The text of the model file for series, laid out as the sample model file: a preamble
// with the run, the point and the output, the 46-word header, "FHR" and the 48 rows.
std::string format_gfs_model_file(const gfs_point_series& series);
