#pragma once

#include "diagnostics/fault.h"
#include "gfs/gfs_model_file.h"
#include "grib/point_values.h"

#include <string>
#include <vector>

// The rows of the model file from the values at the grid point: converted, the
// precipitation taken from the bucket or from the run totals, rounded at the file's
// precision. False, with why naming the first hour that lacks a field and notes the
// further such hours, when a field is missing; otherwise notes says which hours'
// precipitation the run totals gave.
bool make_gfs_rows(const point_values& values, gfs_row* rows, std::vector<std::string>& notes,
                   fault& why);
