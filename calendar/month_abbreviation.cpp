#include "calendar/utc_time.h"

const char* month_abbreviation(int month) {
    static const char* const months[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return month >= 1 && month <= 12 ? months[month - 1] : "?";
}
