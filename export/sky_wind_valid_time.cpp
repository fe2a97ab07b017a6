#include "export/forecast_export.h"

bool sky_wind_valid_time(const forecast_export_input& in, int r, utc_time& valid) {
    utc_time start = in.loaded->issued;
    // The extended bulletins are of 0000 UTC; the report counts their hours from it.
    if (r >= short_rows) start.hour = 0;
    valid = add_hours(start, sky_wind_hour(r));
    return in.loaded->dated;
}
