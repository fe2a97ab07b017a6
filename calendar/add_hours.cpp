#include "calendar/utc_time.h"

utc_time add_hours(const utc_time& time, long long hours) {
    long long total = days_since_epoch(time) * 24 + time.hour + hours;
    long long days = (total >= 0 ? total : total - 23) / 24;
    int hour = static_cast<int>(total - days * 24);
    // The inverse of days_since_epoch, on the same 400-year eras.
    days += 719468;
    long long era = (days >= 0 ? days : days - 146096) / 146097;
    long long day_of_era = days - era * 146097;
    long long year_of_era =
        (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
    long long day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
    long long shifted_month = (5 * day_of_year + 2) / 153;
    int day = static_cast<int>(day_of_year - (153 * shifted_month + 2) / 5 + 1);
    int month = static_cast<int>(shifted_month < 10 ? shifted_month + 3 : shifted_month - 9);
    int year = static_cast<int>(year_of_era + era * 400 + (month <= 2 ? 1 : 0));
    return utc_time{year, month, day, hour};
}
