#pragma once

#include "ingest/bulletin_date.h"

#include <string>

// Reads text of the form month/day/year ("3/04/2010", "03/4/2010"): month and day of one
// or two digits, a four-digit year in the bulletin years, and a day that the month has.
// Returns false, leaving date unchanged, for anything else, trailing text included.
bool parse_bulletin_date(const std::string& text, bulletin_date& date);
