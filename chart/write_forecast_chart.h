#pragma once

#include "chart/forecast_chart_input.h"
#include "diagnostics/fault.h"

#include <iosfwd>

// Writes the meteogram of a 1200 run as one self-contained SVG document of 1100 by 700
// pixels: daily low and high temperature and dew point, precipitation probabilities as
// bars, cloud cover, and wind speed with direction arrows, against one dated UTC time axis.
// Values resting on fewer stations are drawn hollow; missing ones leave gaps. Returns
// false, having written nothing, with why when the bulletins' date and cycle are no real
// time (fault_kind::invalid_bulletins) or the ETA weight is not finite (bad_weight). The
// stream's own errors are the caller's.
bool write_forecast_chart(std::ostream& out, const forecast_chart_input& input, fault& why);
