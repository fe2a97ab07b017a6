#include "calendar/bulletin_date.h"

bool same_day(const utc_time& a, const utc_time& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

bool day_before(const utc_time& a, const utc_time& b) {
    if (a.year != b.year) return a.year < b.year;
    if (a.month != b.month) return a.month < b.month;
    return a.day < b.day;
}
