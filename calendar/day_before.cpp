#include "calendar/bulletin_date.h"

bool day_before(const utc_time& a, const utc_time& b) {
    if (a.year != b.year) return a.year < b.year;
    if (a.month != b.month) return a.month < b.month;
    return a.day < b.day;
}
