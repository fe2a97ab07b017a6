#include "calendar/bulletin_date.h"

bool same_day(const utc_time& a, const utc_time& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}
