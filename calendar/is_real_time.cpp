#include "calendar/utc_time.h"

bool is_real_time(const utc_time& time) {
    if (time.year < 1 || time.year > 9999 || time.month < 1 || time.month > 12 || time.day < 1 ||
        time.day > 31 || time.hour < 0 || time.hour > 23)
        return false;
    // A day past its month's end comes back as a day of the next month.
    utc_time same = add_hours(time, 0);
    return same.month == time.month && same.day == time.day;
}
