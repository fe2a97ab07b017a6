#include "calendar/utc_time.h"

// The civil-to-days conversion on 400-year eras, exact for every year an int holds.
long long days_since_epoch(const utc_time& time) {
    long long year = static_cast<long long>(time.year) - (time.month <= 2 ? 1 : 0);
    long long era = (year >= 0 ? year : year - 399) / 400;
    long long year_of_era = year - era * 400;
    long long month = time.month;
    long long day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + time.day - 1;
    long long day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    return era * 146097 + day_of_era - 719468;
}
