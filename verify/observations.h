#pragma once

#include "arith/stations.h"
#include "diagnostics/fault.h"

#include <array>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

// The index of a station id in the order of station_ids, with or without the leading K,
// in any case ("KFSD", "fsd"); -1 for any other station.
int station_index(const std::string& id);

// What one station observed on one date, in °F: NaN where it is missing.
struct station_day {
    double max_f;
    double min_f;
};

// The observations read so far, by date (days since 1 January 1970), each date with the
// four stations in order. A value read later replaces one read before; a missing one
// replaces nothing.
struct observed_days {
    std::map<long long, std::array<station_day, station_count>> days;
};

// Readings outside these are no observation: a decoding slip, not weather.
inline constexpr double lowest_observation_f = -80;
inline constexpr double highest_observation_f = 140;

// Takes value (°F) as station's maximum (or minimum) of day; a value outside the range
// above is left out with a warning naming file and line.
void take_observation(observed_days& into, long long day, int station, bool maximum, double value,
                      const std::string& file, long long line, std::vector<fault>& warnings);

// The daily summary CSV of the Iowa Environmental Mesonet: a header line naming at least
// the columns station, day (YYYY-MM-DD), max_temp_f and min_temp_f, in any order, then
// one line per station and day with as many fields as the header; "M", "None" or an empty field
// is missing, other stations and columns are passed over, and so are blank lines. A
// byte-order mark and CR LF line ends are taken; a field may be quoted ("a, b", "" for a
// quote). Returns false with why (the file and line) at a header without one of those
// columns, a line with the wrong number of fields, a date that does not exist or a
// temperature that is no number (37, 37.0 and -4.5 are; NaN, inf and 37F are not).
bool read_mesonet_csv(std::istream& in, const std::string& file, observed_days& into,
                      std::vector<fault>& warnings, fault& why);

// NWS preliminary local climatological data (CF6, "WS FORM: F-6"), as received: one or
// more monthly products, each with its station from the AWIPS identifier line ("CF6FSD"
// is KFSD) or, where a product has none, station (an id as station_index takes it; empty
// for none); MONTH and YEAR from the heading; the DY, MAX and MIN columns placed by the
// column header line; "M" is missing. A product of another station is passed over with
// a warning; a day written twice takes the later value. Returns false with why (the file
// and line) when a product's station, month, year or columns cannot be found, its
// identifier line and station disagree, a day does not exist or a value is no whole
// number, and when the stream holds no CF6 product at all.
bool read_cf6_products(std::istream& in, const std::string& file, const std::string& station,
                       observed_days& into, std::vector<fault>& warnings, fault& why);
