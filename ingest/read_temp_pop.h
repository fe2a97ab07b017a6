#pragma once

#include "diagnostics/fault.h"
#include "ingest/bulletin_layout.h"
#include "ingest/bulletin_values.h"

#include <iosfwd>

// Fills the temperature, dew point and precipitation blocks of values (eta_temp_pop,
// avn_temp_pop, mrf_temp_pop) from the "N/X", "DPT", "P12" rows of bulletins 1-8 and the
// "X/N", "DPT", "P24" rows of bulletins 9-12 of the stream, where layout says they stand,
// and rows with where it found the labels, in that order. Returns false when a label is
// missing from its bulletin, a value is no 32-bit integer, or the input ends early; why
// then says which and where.
bool read_temp_pop(std::istream& in, const bulletin_layout& layout, bulletin_values& values,
                   bulletin_rows& rows, fault& why);
