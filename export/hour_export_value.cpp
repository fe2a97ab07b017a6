#include "export/forecast_export.h"

#include <cmath>

export_value hour_export_value(const forecast_export_input& in, int r, int kind) {
    const city_forecast& f = *in.forecast;
    export_value v{true, f.cloud[r], f.sources.cloud[r], false, {}, {}};
    if (kind == 1) {
        v.exists = r < short_rows;
        if (v.exists) v.value = f.direction[r], v.source = f.sources.direction[r];
    } else if (kind == 2) {
        v.value = f.speed[r];
        v.source = f.sources.speed[r];
    }
    v.timed = sky_wind_valid_time(in, r, v.valid_from);
    v.valid_to = v.valid_from;
    return v;
}
