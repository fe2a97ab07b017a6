#pragma once

#include "calendar/utc_time.h"
#include "pointforecast/city_forecast.h"
#include "pointforecast/load_bulletin_file.h"

#include <iosfwd>
#include <string>

// Everything the JSON and CSV documents of a 1200 run show.
struct forecast_export_input {
    std::string program; // "vuzazav-cli 1.2.0"
    std::string input;   // the bulletin file, as the user named it
    double eta_weight;
    const loaded_bulletins* loaded;
    const city_forecast* forecast;
    long long header_line[bulletin_count]; // line of each bulletin's header, from 1
};

// One value of the documents, its valid period and its sources.
struct export_value {
    bool exists;         // false: the document writes null
    city_value value;    // as the report takes it, before printing
    value_source source; // each model's value and the stations
    bool timed;          // the valid period is known (the bulletins are dated)
    utc_time valid_from, valid_to;
};

// Value c (a day column) of day d (0-based) of the run, valid as the chart draws it: lows
// 00 to 12 UTC of the day's date (the bulletin date plus d + 1 days), highs 12 to 24 UTC,
// dew points at 12 and at 00 UTC at its end, precipitation over its 12 or 24 hours.
export_value day_export_value(const forecast_export_input& in, int d, int c);

// The valid time of sky and wind row r: the short-range hours after the bulletins'
// cycle, the extended ones after 0000 UTC of their date.
bool sky_wind_valid_time(const forecast_export_input& in, int r, utc_time& valid);

// The element names of the day columns, as both documents write them.
inline constexpr const char* day_keys[day_columns] = {
    "low_temp", "high_temp", "low_dew_point", "high_dew_point", "low_pop", "high_pop"};

// The documents, whole.
std::string forecast_json(const forecast_export_input& in);
std::string forecast_csv(const forecast_export_input& in);

// Sky and wind row r's value of kind 0 (cloud), 1 (wind direction, none in the extended
// rows) or 2 (wind speed), valid at the row's time.
inline constexpr const char* hour_keys[3] = {"cloud", "wind_direction", "wind_speed_mph"};
export_value hour_export_value(const forecast_export_input& in, int r, int kind);

// The line (from 1) of each of the twelve headers in the bulletin file read from in.
void header_lines(std::istream& in, const bulletin_layout& layout, long long* lines);
