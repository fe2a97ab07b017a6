#include "calendar/utc_time.h"

std::string day_label(const utc_time& time) {
    static const char* const weekdays[7] = {"Thu", "Fri", "Sat", "Sun", "Mon", "Tue", "Wed"};
    static const char* const months[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    // 1 January 1970 was a Thursday.
    long long weekday = days_since_epoch(time) % 7;
    if (weekday < 0) weekday += 7;
    const char* month = time.month >= 1 && time.month <= 12 ? months[time.month - 1] : "?";
    return std::string(weekdays[weekday]) + ' ' + std::to_string(time.day) + ' ' + month;
}
