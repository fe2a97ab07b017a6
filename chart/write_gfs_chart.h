#pragma once

#include "chart/gfs_chart_input.h"
#include "diagnostics/fault.h"

#include <iosfwd>

// Writes the meteogram of a GFS run as one self-contained SVG document of 1100 by 900
// pixels against forecast hour: 2 m temperature with the band between its lowered and
// raised values and the 850 hPa temperature, sea-level pressure, 6-hour precipitation as
// bars, relative humidity and cloud cover, and wind speed with direction arrows.
// Returns false, having written nothing, with why (fault_kind::incorrect_format) when the
// hours span more than a chart can show or a known run time is no real time. The stream's
// own errors are the caller's.
bool write_gfs_chart(std::ostream& out, const gfs_chart_input& input, fault& why);
