#pragma once

#include "diagnostics/fault.h"
#include "ingest/bulletin_layout.h"
#include "ingest/bulletin_values.h"

#include <vector>

// One note for each value that a bulletin marks as missing (999 or 99) and the forecast
// therefore leaves out, in file order: which bulletin, row and value of the row, at the
// row's label (a byte position). temp_pop_rows and sky_wind_rows are where the two
// readers found the labels.
std::vector<fault> missing_value_notes(const bulletin_values& values, const bulletin_layout& layout,
                                       const bulletin_rows& temp_pop_rows,
                                       const bulletin_rows& sky_wind_rows);
