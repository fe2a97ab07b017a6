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

long long hours_since_epoch(const utc_time& time) {
    return days_since_epoch(time) * 24 + time.hour;
}

utc_time add_hours(const utc_time& time, long long hours) {
    long long total = hours_since_epoch(time) + hours;
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

bool is_real_date(int year, int month, int day) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1) return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= (month == 2 && leap ? 29 : days[month - 1]);
}

bool is_real_time(const utc_time& time) {
    return time.year >= 1 && time.year <= 9999 && is_real_date(time.year, time.month, time.day) &&
           time.hour >= 0 && time.hour <= 23;
}

bool same_day(const utc_time& a, const utc_time& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

bool day_before(const utc_time& a, const utc_time& b) {
    if (a.year != b.year) return a.year < b.year;
    if (a.month != b.month) return a.month < b.month;
    return a.day < b.day;
}

int weekday_of(long long day) {
    // 1 January 1970 was a Thursday.
    return static_cast<int>(((day + 4) % 7 + 7) % 7);
}

const char* weekday_abbreviation(const utc_time& time) {
    static const char* const weekdays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    return weekdays[weekday_of(days_since_epoch(time))];
}

const char* weekday_name(const utc_time& time) {
    static const char* const weekdays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};
    return weekdays[weekday_of(days_since_epoch(time))];
}

const char* month_abbreviation(int month) {
    static const char* const months[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return month >= 1 && month <= 12 ? months[month - 1] : "?";
}

std::string in_capitals(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string day_label(const utc_time& time) {
    return std::string(weekday_abbreviation(time)) + ' ' + std::to_string(time.day) + ' ' +
           month_abbreviation(time.month);
}
