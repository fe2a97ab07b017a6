#pragma once

#include "pointforecast/city_forecast.h"

#include <iosfwd>

// Writes the seven-day table of low and high temperature, dew point and precipitation
// probability, in general notation. With pad_short_days the last value of days 1 and 2
// is padded to its column as well, as the report file has it. Leaves the left-adjust flag
// set.
void write_day_table(std::ostream& out, const city_forecast& forecast, bool pad_short_days);
