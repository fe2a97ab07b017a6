#include "grib/gfs_point.h"

#include "grib/make_gfs_rows.h"
#include "grib/point_values.h"

#include <eccodes.h>

#include <memory>

// ecCodes would print its own errors on standard error; the refusals say them instead.
static void keep_quiet(const codes_context*, int, const char*) {}

bool load_gfs_point(const gfs_point_request& request, gfs_point_series& series,
                    std::vector<std::string>& notes, fault& why) {
    codes_context* context = codes_context_get_default();
    codes_context_set_logging_proc(context, keep_quiet);
    // A message may pack several fields (NCEP has packed the winds so); each is read alone.
    codes_grib_multi_support_on(context);
    notes.clear();
    auto values = std::make_unique<point_values>();
    values->latitude = request.latitude;
    values->longitude = request.longitude;
    for (const std::string& file : request.files) {
        if (!read_grib_file(file, *values, why)) return false;
    }
    if (!make_gfs_rows(*values, series.rows, notes, why)) return false;
    const long long date = values->run / 10000;
    series.run = {static_cast<int>(date / 10000), static_cast<int>(date / 100 % 100),
                  static_cast<int>(date % 100), static_cast<int>(values->run % 10000 / 100)};
    series.grid_step = grid_step(values->grid);
    series.grid_latitude = values->point_latitude;
    series.grid_longitude = values->point_longitude;
    series.latitude = request.latitude;
    series.longitude = request.longitude;
    return true;
}
