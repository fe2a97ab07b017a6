#pragma once

#include "ingest/bulletin_layout.h"
#include "diagnostics/file_note.h"
#include "pointforecast/station_arrays.h"

#include <vector>

// One note for each value that a bulletin marks as missing (999 or 99) and the forecast
// therefore leaves out, in file order: which bulletin, row and value of the row, at the
// row's label. temp_pop_rows and sky_wind_rows are where the two readers found the labels.
std::vector<file_note> missing_value_notes(const station_arrays& arrays,
                                           const bulletin_layout& layout,
                                           const long long* temp_pop_rows,
                                           const long long* sky_wind_rows);
