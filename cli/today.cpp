#include "cli/today.h"

#include "calendar/iso_date.h"
#include "reading/places.h"

#include <cstdlib>
#include <ctime>

bool today_utc(utc_time& today, std::string& error) {
    if (const char* set = std::getenv("VUZAZAV_TODAY")) {
        if (parse_iso_date(set, today)) return true;
        error = "VUZAZAV_TODAY " + quote_word(set) + " is no date year-month-day";
        return false;
    }
    // time() counts seconds since 1970-01-01 00:00 UTC on every platform the program runs on.
    const long long hours = static_cast<long long>(std::time(nullptr)) / 3600;
    today = add_hours(utc_time{1970, 1, 1, 0}, hours);
    today.hour = 0;
    return true;
}
