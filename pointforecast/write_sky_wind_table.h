#pragma once

#include "pointforecast/city_forecast.h"

#include <iosfwd>

// Writes the cloud cover, wind direction and wind speed table: the nineteen short-range
// rows, an empty line, and the eleven extended rows, which hold no direction. Values in
// fixed notation with two decimals. Leaves the fixed flag and precision 2 set.
void write_sky_wind_table(std::ostream& out, const city_forecast& forecast);
