#include "calendar/bulletin_date.h"
#include "calendar/iso_date.h"

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
