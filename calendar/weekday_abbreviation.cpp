#include "calendar/utc_time.h"

const char* weekday_abbreviation(const utc_time& time) {
    static const char* const weekdays[7] = {"Thu", "Fri", "Sat", "Sun", "Mon", "Tue", "Wed"};
    // 1 January 1970 was a Thursday.
    long long weekday = days_since_epoch(time) % 7;
    if (weekday < 0) weekday += 7;
    return weekdays[weekday];
}
