#pragma once

#include "calendar/utc_time.h"

#include <string>

// The city's clock: US Central time, standard (CST, UTC-6) or daylight (CDT, UTC-5) as the
// US rules in force in each year have it. Computed from the date alone, never from the
// machine's zone database, so that every machine gives the same local times.

// A time on the city's clock: the local date and hour, and the offset from UTC in hours.
struct local_time {
    utc_time clock;
    int utc_offset; // -6 (CST) or -5 (CDT)
};

// Whether daylight time is in force at time (UTC). From 2007, from the second Sunday of
// March at 2 AM CST to the first Sunday of November at 2 AM CDT; 1987 to 2006, from the
// first Sunday of April to the last Sunday of October; 1967 to 1986, from the last Sunday
// of April (6 January in 1974, 23 February in 1975) to the last Sunday of October; never
// before 1967.
bool central_daylight_time(const utc_time& time);

// time (UTC) on the city's clock.
local_time city_time(const utc_time& time);

// "CST" or "CDT".
const char* zone_name(const local_time& time);

// The time as the documents write it, with its offset: "2010-03-04T18:00:00-06:00".
std::string iso_local_time(const local_time& time);

// The hour of the day as a forecast says it: "6 AM", "7 PM", "noon", "midnight".
std::string clock_hour(int hour);
