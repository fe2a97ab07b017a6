#pragma once

#include "arith/shared_types.h"

// For each of the gfs_row_count rows: the 2 m temperature adjustment from wind, humidity
// and the 2 m to 850 hPa difference, and the 2 m temperature raised and lowered by it.
// Works in whatever units the rows hold; nothing is clamped.
void compute_temp_adjustment(const gfs_row* rows, double* temp_adj, double* temp_plus,
                             double* temp_minus);
