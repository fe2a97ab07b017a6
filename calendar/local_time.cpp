#include "calendar/local_time.h"

#include <cstdio>

static const int standard_offset = -6;
// The changes fall at 2 AM local time: 08 UTC in spring (from CST), 07 UTC in autumn (from
// CDT).
static const int spring_change_utc_hour = 2 - standard_offset;
static const int autumn_change_utc_hour = 2 - (standard_offset + 1);

// The day (since 1970) of the nth Sunday of month.
static long long nth_sunday(int year, int month, int n) {
    const long long first = days_since_epoch(utc_time{year, month, 1, 0});
    return first + (7 - weekday_of(first)) % 7 + 7LL * (n - 1);
}

static long long last_sunday(int year, int month) {
    const long long last = days_since_epoch(add_hours(utc_time{year, month + 1, 1, 0}, -24));
    return last - weekday_of(last);
}

bool central_daylight_time(const utc_time& time) {
    const int year = time.year;
    if (year < 1967) return false;
    long long start = 0, end = last_sunday(year, 10);
    if (year >= 2007) {
        start = nth_sunday(year, 3, 2);
        end = nth_sunday(year, 11, 1);
    } else if (year >= 1987) {
        start = nth_sunday(year, 4, 1);
    } else if (year == 1974) {
        start = days_since_epoch(utc_time{1974, 1, 6, 0});
    } else if (year == 1975) {
        start = days_since_epoch(utc_time{1975, 2, 23, 0});
    } else {
        start = last_sunday(year, 4);
    }
    const long long hour = hours_since_epoch(time);
    return hour >= start * 24 + spring_change_utc_hour && hour < end * 24 + autumn_change_utc_hour;
}

local_time city_time(const utc_time& time) {
    const int offset = standard_offset + (central_daylight_time(time) ? 1 : 0);
    return local_time{add_hours(time, offset), offset};
}

const char* zone_name(const local_time& time) {
    return time.utc_offset == standard_offset ? "CST" : "CDT";
}

std::string iso_local_time(const local_time& time) {
    const utc_time& t = time.clock;
    const int offset = time.utc_offset < 0 ? -time.utc_offset : time.utc_offset;
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:00:00%c%02d:00", t.year, t.month, t.day,
                  t.hour, time.utc_offset < 0 ? '-' : '+', offset);
    return text;
}

std::string clock_hour(int hour) {
    if (hour == 0) return "midnight";
    if (hour == 12) return "noon";
    return std::to_string(hour % 12) + (hour < 12 ? " AM" : " PM");
}
