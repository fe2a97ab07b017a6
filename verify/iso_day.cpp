#include "verify/observations.h"

#include "export/forecast_export.h"

std::string iso_day(long long day) {
    // Beyond the years 1 to 9999 no reader makes a day; the count itself says enough there.
    if (day < -719162 || day > 2932896) return "day " + std::to_string(day);
    return iso_date(add_hours(utc_time{1970, 1, 1, 0}, day * 24));
}
