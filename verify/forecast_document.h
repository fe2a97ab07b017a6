#pragma once

#include "arith/stations.h"
#include "calendar/utc_time.h"
#include "diagnostics/fault.h"

#include <iosfwd>
#include <string>
#include <vector>

// The days of a forecast document, and the first ones, which both guidances forecast.
inline constexpr int verified_days = 7;
inline constexpr int blended_days = 2;

// A temperature of a forecast: the issued (blended) city value and each guidance's own,
// and each guidance's value at each station, as its bulletin gave it; NaN where the
// document has none. Days 3 to 7 have one guidance, under first.
struct forecast_temperature {
    double issued;
    double first;
    double second;
    double station_first[station_count];
    double station_second[station_count];
};

// What verification takes from a JSON document of `vuzazav-cli forecast --json`.
struct forecast_document {
    bool dated;        // the document has an issued time; else no day can be verified
    utc_time issued;   // the bulletins' date and cycle
    double eta_weight; // the weight it was issued with
    // The model words of the first short-range bulletins ("NBM"), and of the second
    // ("AVN", "GFS"), each once.
    std::vector<std::string> first_models, second_models;
    forecast_temperature low[verified_days]; // day 1 to 7
    forecast_temperature high[verified_days];
    bool station_values; // whether the document gives values per station
};

// Reads one document from in; one of the short-range guidance alone has no days 3 to 7.
// Returns false with why (the file and, where known, the line) when it is no JSON, or no
// forecast document of vuzazav-cli: another program, a missing or mistyped member, an
// issued time or a date that does not exist.
bool read_forecast_document(std::istream& in, const std::string& file, forecast_document& doc,
                            fault& why);
