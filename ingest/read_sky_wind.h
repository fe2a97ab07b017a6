#pragma once

#include "diagnostics/fault.h"
#include "ingest/bulletin_layout.h"
#include "ingest/bulletin_values.h"

#include <iosfwd>

// Fills the sky and wind blocks of values (eta_sky_wind, avn_sky_wind, mrf_sky_wind) from
// the "CLD", "WDR", "WSP" rows of bulletins 1-8 and the "CLD", "WND" rows of bulletins
// 9-12 of the stream, cloud words as codes, and rows with where it found the labels, in
// that order (-1 for the third row of an extended bulletin). Returns false when a label is
// missing from its bulletin, a value is no 32-bit integer, a cloud word is unknown, or the
// input ends early; why then says which and where.
bool read_sky_wind(std::istream& in, const bulletin_layout& layout, bulletin_values& values,
                   bulletin_rows& rows, fault& why);
