#include "calendar/bulletin_date.h"

std::string format_bulletin_date(const utc_time& date) {
    std::string day = std::to_string(date.day);
    if (day.size() < 2) day = "0" + day;
    return std::to_string(date.month) + "/" + day + "/" + std::to_string(date.year);
}
