#pragma once

#include "diagnostics/fault.h"
#include "gfs/gfs_rows.h"
#include "gfs/load_gfs_file.h"

// Converts the model's rows to inches of mercury, degrees Fahrenheit, inches and miles
// per hour, with the 2 m temperature adjustment and the temperature raised and lowered by
// it. Returns false, with why (kind incorrect_format, the row's position) naming the row
// and column, when a value comes out as no finite number (a value of -1e308 in degrees C
// overflows in Fahrenheit).
bool compute_gfs_table(const gfs_model& model, gfs_table_row* table, fault& why);
