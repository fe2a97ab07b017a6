#pragma once

#include "calendar/utc_time.h"
#include "fetch/product_files.h"

#include <string>

// The words of fetch's command line, read. Each returns false, leaving its result as it
// was, for a word it does not take. now is seconds since 1970 UTC.

// "nbs", "mav", "mex" or "gfs".
bool read_fetch_product(const std::string& word, fetch_product& product);

// A cycle of all four products: 0, 6, 12 or 18, with or without a leading zero.
bool read_fetch_cycle(const std::string& word, int& cycle);

// A date as assemble takes it, "2026-12-09" or "12/09/2026", or "today" (UTC).
bool read_fetch_date(const std::string& word, long long now, utc_time& date);

// When to stop waiting: "16:30Z" (today, UTC) or "2026-12-09T16:30Z", with or without
// seconds ("16:30:00Z"); as seconds since 1970 UTC.
bool read_fetch_until(const std::string& word, long long now, long long& until);

// Whether word is a server fetch takes: a URL of http://, https:// or file://.
bool is_fetch_server(const std::string& word);

// The UTC time of seconds since 1970, to the hour.
utc_time utc_hour_of(long long seconds);
