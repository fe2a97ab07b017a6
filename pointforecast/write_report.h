#pragma once

#include "pointforecast/city_forecast.h"

#include <iosfwd>

// The day table, on the console and in the report, and the report as a whole.

// What the tables of a forecast of the short-range guidance alone say in place of the
// extended range.
inline constexpr const char* short_range_only_days_line =
    "Days 3 to 7 are left out: short-range guidance only, no extended bulletins.";
inline constexpr const char* short_range_only_hours_line =
    "Hours 72 to 192 are left out: short-range guidance only, no extended bulletins.";

// Writes the seven-day table of low and high temperature, dew point and precipitation
// probability, in general notation. With pad_short_days the last value of days 1 and 2
// is padded to its column as well, as the report file has it. A forecast of the
// short-range guidance alone has days 1 and 2, then a line that says so. Leaves the
// left-adjust flag set.
void write_day_table(std::ostream& out, const city_forecast& forecast, bool pad_short_days);

// Writes the cloud cover, wind direction and wind speed table: the nineteen short-range
// rows, an empty line, and the eleven extended rows, which hold no direction (or, for the
// short-range guidance alone, a line that says so). Values in fixed notation with two
// decimals. Leaves the fixed flag and precision 2 set.
void write_sky_wind_table(std::ostream& out, const city_forecast& forecast);

// Writes the whole report of a 1200 run: the title, the day table with its short-range
// days padded, and the cloud cover and wind table.
void write_report(std::ostream& out, const city_forecast& forecast);
