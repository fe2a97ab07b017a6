#pragma once

#include "calendar/utc_time.h"

#include <string>

// The years a bulletin date may have: guidance bulletins began in the 1970s, so anything
// outside is a typing error, and the assembler can count dates in a small fixed table.
inline constexpr int first_bulletin_year = 1900;
inline constexpr int last_bulletin_year = 2199;

// Reads text of the form month/day/year ("3/04/2010", "03/4/2010"): month and day of one
// or two digits, a four-digit year in the bulletin years, and a day that the month has.
// Returns false, leaving date unchanged, for anything else, trailing text included. The
// date's hour is 0.
bool parse_bulletin_date(const std::string& text, utc_time& date);

// The date word as the bulletins write it: month without, day with a leading zero, and
// the year in four digits ("3/04/2010", "12/31/2019").
std::string format_bulletin_date(const utc_time& date);

// Reads the six words of a GFS model run, "00 UTC MON 04 MAR 2024" (the weekday is not
// checked, since the date decides it). Returns false, with time unchanged, unless they
// make a real date and an hour of 0 to 23.
bool parse_model_run(const std::string words[6], utc_time& time);
