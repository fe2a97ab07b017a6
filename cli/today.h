#pragma once

#include "calendar/utc_time.h"

#include <string>

// Today's date in UTC, the date a scheduled run issues guidance for. VUZAZAV_TODAY, when
// set, stands in for the clock (a date year-month-day), so that a test can choose the day.
// Returns false, with error saying why, for a VUZAZAV_TODAY that is no date; the date's
// hour is 0.
bool today_utc(utc_time& today, std::string& error);
