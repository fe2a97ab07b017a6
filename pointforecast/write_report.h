#pragma once

#include "pointforecast/city_forecast.h"

#include <iosfwd>

// Writes the whole report of a 1200 run: the title, the day table with its short-range
// days padded, and the cloud cover and wind table.
void write_report(std::ostream& out, const city_forecast& forecast);
