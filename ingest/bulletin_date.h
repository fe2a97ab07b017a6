#pragma once

// The date of a guidance bulletin, a calendar date.
struct bulletin_date {
    int month;
    int day;
    int year;
};

// The years a bulletin date may have: guidance bulletins began in the 1970s, so anything
// outside is a typing error, and the assembler can count dates in a small fixed table.
inline constexpr int first_bulletin_year = 1900;
inline constexpr int last_bulletin_year = 2199;

inline bool operator==(const bulletin_date& a, const bulletin_date& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}
inline bool operator!=(const bulletin_date& a, const bulletin_date& b) {
    return !(a == b);
}
inline bool operator<(const bulletin_date& a, const bulletin_date& b) {
    if (a.year != b.year) return a.year < b.year;
    if (a.month != b.month) return a.month < b.month;
    return a.day < b.day;
}
