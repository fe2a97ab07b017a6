#include "export/forecast_export.h"

#include <cstdio>

std::string iso_time(const utc_time& time) {
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:00:00Z", time.year, time.month, time.day,
                  time.hour);
    return text;
}

std::string iso_date(const utc_time& time) {
    return iso_time(time).substr(0, 10);
}
