#pragma once

#include <string>

// A time in UTC: a date of the Gregorian calendar and an hour of the day (0 to 23).
struct utc_time {
    int year;
    int month; // 1 to 12
    int day;   // 1 to 31
    int hour;
};

// Days from 1 January 1970 to the date of time (negative before it).
long long days_since_epoch(const utc_time& time);

// Hours from 1 January 1970, 00 UTC, to time (negative before it).
long long hours_since_epoch(const utc_time& time);

// The time hours later (earlier when hours is negative).
utc_time add_hours(const utc_time& time, long long hours);

// Whether year, month and day name a day of the Gregorian calendar.
bool is_real_date(int year, int month, int day);

// Whether time is a real one: a day of its month (29 February only in leap years) in the
// years 1 to 9999, at an hour from 0 to 23.
bool is_real_time(const utc_time& time);

// Whether a and b are the same calendar day, and whether a's day is before b's.
bool same_day(const utc_time& a, const utc_time& b);
bool day_before(const utc_time& a, const utc_time& b);

// The weekday of day (days since 1 January 1970): 0 for Sunday to 6 for Saturday.
int weekday_of(long long day);

// The three-letter English names the products write, "Thu" and "Jan": of the weekday of
// time, and of month (1 to 12; "?" outside).
const char* weekday_abbreviation(const utc_time& time);
// The weekday's whole name, as forecasts name their periods: "Thursday".
const char* weekday_name(const utc_time& time);
const char* month_abbreviation(int month);

// text in ASCII capitals, as model output writes names ("THU", "JAN") and as received
// products and station ids are compared; any other byte stays as it is.
std::string in_capitals(std::string text);

// The date of time as a chart labels a day: "Fri 5 Mar". A month outside 1 to 12 gives
// "?" for the month.
std::string day_label(const utc_time& time);
