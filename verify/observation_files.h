#pragma once

#include "diagnostics/fault.h"
#include "verify/observations.h"

#include <iosfwd>
#include <string>
#include <vector>

// The readers of the observation files verify takes: each reads one stream into the
// observations gathered so far.

// The daily summary CSV of the Iowa Environmental Mesonet: a header line naming at least
// the columns station, day (YYYY-MM-DD), max_temp_f and min_temp_f, in any order, then
// one line per station and day with as many fields as the header; "M", "None" or an empty field
// is missing, other stations and columns are passed over, and so are blank lines. A
// byte-order mark and CR LF line ends are taken; a field may be quoted ("a, b", "" for a
// quote). Returns false with why (the file and line) at a header without one of those
// columns, a line with the wrong number of fields, a date that does not exist or a
// temperature that is no number (37, 37.0 and -4.5 are; NaN, inf and 37F are not).
bool read_mesonet_csv(std::istream& in, const std::string& file, observations& into,
                      warning_list& warnings, fault& why);

// The hourly ASOS download of the same mesonet is read by the same function: its header
// names the columns station, valid (YYYY-MM-DD HH:MM, UTC) and tmpf or metar (the
// report, whose temperature and six-hour groups decode_metar reads, else tmpf); "M" or
// an empty field is no reading.

// What a METAR report says of temperature, in °F, NaN where it says nothing: the reading
// (the remarks' T group in tenths of a degree Celsius where there is one, else the body's
// whole degrees), and the six-hour maximum and minimum groups 1sTTT and 2sTTT.
struct metar_temperatures {
    double now_f, six_hour_max_f, six_hour_min_f;
};
metar_temperatures decode_metar(const std::string& report);

// METAR reports as NOAA's cycle files give them: a line "2026/12/08 06:53" (UTC) before
// each report, the report on the lines after it up to a blank line or the next time.
// Reports of other stations are passed over. Returns false with why (the file and line)
// at a time that does not exist or a line too long.
bool read_metar_cycle(std::istream& in, const std::string& file, observations& into,
                      warning_list& warnings, fault& why);

// NWS preliminary local climatological data (CF6, "WS FORM: F-6"), as received: one or
// more monthly products, each of one station, named up to three ways that must agree: the
// AWIPS identifier line ("CF6FSD" is KFSD), the heading's STATION: line (the place, "SIOUX
// FALLS SD") and station, the --station in effect (an id as station_index takes it; empty
// for none). MONTH and YEAR come from the heading, the DY, MAX and MIN columns are placed by
// the column header line, "M" is missing. A product of another station, named so by its
// identifier line or its place, is passed over with a warning; a day written twice takes
// the later value. Returns false with why (the file and line) when a product's names of
// its station disagree, its station, month, year or columns cannot be found, a day does
// not exist or a value is no whole number, and when the stream holds no CF6 product at all.
bool read_cf6_products(std::istream& in, const std::string& file, const std::string& station,
                       observations& into, warning_list& warnings, fault& why);
