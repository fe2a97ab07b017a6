#pragma once

#include "calendar/utc_time.h"
#include "pointforecast/city_forecast.h"
#include "pointforecast/load_bulletin_file.h"
#include "pointforecast/nbm_elements.h"
#include "pointforecast/periods.h"

#include <iosfwd>
#include <string>
#include <vector>

// The JSON and CSV documents of a 1200 run: every value with its valid period and what it
// rests on.

// Everything the documents of a 1200 run show.
struct forecast_export_input {
    std::string program; // "vuzazav-cli 1.2.0"
    std::string input;   // the bulletin file, as the user named it
    double eta_weight;
    const loaded_bulletins* loaded;
    const city_forecast* forecast;
    long long header_line[bulletin_count]; // line of each bulletin's header, from 1
    // The periods in the city's local time; null where the bulletins carry no real date.
    const std::vector<forecast_period>* periods = nullptr;
    // The NBM's own elements, by hour and by period; null to leave them out of the
    // documents.
    const nbm_forecast* nbm = nullptr;
};

// One value of the documents, its valid period and its sources.
struct export_value {
    bool exists;         // false: the documents write null
    city_value value;    // as the report takes it, before printing
    value_source source; // each model's value and the stations
    bool timed;          // the valid period is known (the bulletins are dated)
    utc_time valid_from, valid_to;
};

// Value c (a day column) of day d (0-based) of the run, valid as the day-column table
// says: its period counted from 0000 UTC of the day's date, the bulletin date plus d + 1
// days.
export_value day_export_value(const forecast_export_input& in, int d, int c);

// Sky and wind row r's value of quantity q (hour_quantities), valid at the row's time.
export_value hour_export_value(const forecast_export_input& in, int r, int q);

// The valid time of sky and wind row r: the short-range hours after the bulletins'
// cycle, the extended ones after 0000 UTC of their date. False when the bulletins carry
// no real date.
bool sky_wind_valid_time(const forecast_export_input& in, int r, utc_time& valid);

// The documents, whole. The JSON document's day values also give the station values they
// rest on, and its "periods" the periods with their rounded values and flags; its
// "guidance" marks each absent bulletin "missing". With the NBM's elements, the periods of
// days 1 and 2 give its amounts, precipitation type, gusts, thunder, wind chill and
// temperature spread, and "nbm_hours" its elements by forecast hour (the CSV: a line each,
// "nbm_" before the key, its spread, lowest and highest station value on lines of their
// own); where no NBS bulletin is there, they are null (the CSV's fields empty) and
// "nbm_note" says why. A forecast of the short-range guidance alone has days 1 and 2 and
// the short-range hours: the JSON says "short_range_only", the CSV ends with an
// "extended_left_out" line spanning what is left out.
std::string forecast_json(const forecast_export_input& in);
std::string forecast_csv(const forecast_export_input& in);

// The line (from 1) of each of the twelve headers in the bulletin file read from in.
void header_lines(std::istream& in, const bulletin_layout& layout, long long* lines);
