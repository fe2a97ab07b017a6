#pragma once

#include "calendar/utc_time.h"

#include <string>

// Reads an ISO 8601 date, "2026-12-09", or a time in UTC as the documents write it,
// "2026-12-09T12:00:00Z" (whole hours only). Returns false, leaving time unchanged, for
// anything else or a day that does not exist.
bool parse_iso_date(const std::string& text, utc_time& time);
bool parse_iso_time(const std::string& text, utc_time& time);

// Time as the documents write it, "2026-12-09T12:00:00Z", and its date, "2026-12-09".
std::string iso_time(const utc_time& time);
std::string iso_date(const utc_time& time);
// The date in the basic form NCEP's folders and the Verif files use, "20261209".
std::string compact_date(const utc_time& time);

// The date of day (days since 1 January 1970) as iso_date writes it; outside the years 1
// to 9999, "day N".
std::string iso_day(long long day);
