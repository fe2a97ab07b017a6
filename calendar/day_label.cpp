#include "calendar/utc_time.h"

std::string day_label(const utc_time& time) {
    return std::string(weekday_abbreviation(time)) + ' ' + std::to_string(time.day) + ' ' +
           month_abbreviation(time.month);
}
