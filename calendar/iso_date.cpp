#include "calendar/iso_date.h"

#include <cstdio>

// The number in text[at, at + count), all digits.
static bool digits(const std::string& text, std::size_t at, std::size_t count, int& value) {
    if (at + count > text.size()) return false;
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

static bool read_date(const std::string& text, utc_time& time) {
    utc_time t{0, 0, 0, 0};
    if (text.size() < 10 || text[4] != '-' || text[7] != '-' || !digits(text, 0, 4, t.year) ||
        !digits(text, 5, 2, t.month) || !digits(text, 8, 2, t.day) ||
        !is_real_date(t.year, t.month, t.day))
        return false;
    time = t;
    return true;
}

bool parse_iso_date(const std::string& text, utc_time& time) {
    return text.size() == 10 && read_date(text, time);
}

bool parse_iso_time(const std::string& text, utc_time& time) {
    utc_time t{0, 0, 0, 0};
    int minute = 0, second = 0;
    if (text.size() != 20 || text[10] != 'T' || text[13] != ':' || text[16] != ':' ||
        text[19] != 'Z' || !read_date(text, t) || !digits(text, 11, 2, t.hour) ||
        !digits(text, 14, 2, minute) || !digits(text, 17, 2, second) || t.hour > 23 ||
        minute != 0 || second != 0)
        return false;
    time = t;
    return true;
}

std::string iso_time(const utc_time& time) {
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:00:00Z", time.year, time.month, time.day,
                  time.hour);
    return text;
}

std::string iso_date(const utc_time& time) {
    return iso_time(time).substr(0, 10);
}

std::string compact_date(const utc_time& time) {
    char text[40];
    std::snprintf(text, sizeof text, "%04d%02d%02d", time.year, time.month, time.day);
    return text;
}

std::string iso_day(long long day) {
    // Beyond the years 1 to 9999 no reader makes a day; the count itself says enough there.
    if (day < -719162 || day > 2932896) return "day " + std::to_string(day);
    return iso_date(add_hours(utc_time{1970, 1, 1, 0}, day * 24));
}
