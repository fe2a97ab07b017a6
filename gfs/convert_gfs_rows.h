#pragma once

#include "arith/shared_types.h"

// Converts the gfs_row_count rows in place to inches of mercury, degrees Fahrenheit,
// inches and miles per hour, and fills temp_adj (a difference in Fahrenheit), temp_plus
// and temp_minus (degrees Fahrenheit), 48 elements each. Cannot fail.
void convert_gfs_rows(gfs_row* rows, double* temp_adj, double* temp_plus, double* temp_minus);
