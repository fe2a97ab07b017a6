#include "export/forecast_export.h"

#include <cmath>

export_value day_export_value(const forecast_export_input& in, int d, int c) {
    const city_forecast& f = *in.forecast;
    export_value v{shown_in_day_table(d, c), f.day[d][c], f.sources.day[d][c],
                   in.loaded->dated,         {},          {}};
    utc_time date = in.loaded->issued;
    date.hour = 0;
    date = add_hours(date, 24LL * (d + 1));
    // Hours after the day's 0000 UTC at which the period starts and ends.
    static const int from_hour[day_columns] = {0, 12, 12, 24, 0, 12};
    static const int to_hour[day_columns] = {12, 24, 12, 24, 12, 24};
    const bool whole_day = d >= 2 && c == 5;
    v.valid_from = add_hours(date, whole_day ? 0 : from_hour[c]);
    v.valid_to = add_hours(date, whole_day ? 24 : to_hour[c]);
    return v;
}
