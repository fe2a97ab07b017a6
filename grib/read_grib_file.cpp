#include "grib/point_values.h"

#include <eccodes.h>

#include <cstdio>
#include <string>

namespace {

// A message being read: its place for refusals, and the handle, freed on every path.
struct message {
    const std::string& file;
    long number; // from 1
    codes_handle* handle;
};

bool refuse(const message& m, const std::string& what, fault& why) {
    why.kind = fault_kind::refused_input;
    why.file = m.file;
    why.what = "message " + std::to_string(m.number) + ": " + what;
    return false;
}

long get_long(codes_handle* h, const char* key, long otherwise) {
    long value = 0;
    return codes_get_long(h, key, &value) == CODES_SUCCESS ? value : otherwise;
}

double get_double(codes_handle* h, const char* key) {
    double value = 0;
    return codes_get_double(h, key, &value) == CODES_SUCCESS ? value : 0.0;
}

std::string run_words(long long run) {
    const long long date = run / 10000;
    const long long time = run % 10000;
    char text[48];
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld %02lld UTC", date / 10000,
                  date / 100 % 100, date % 100, time / 100);
    return text;
}

bool same_grid(const regular_grid& a, const regular_grid& b) {
    return a.ni == b.ni && a.nj == b.nj && a.first_latitude == b.first_latitude &&
           a.first_longitude == b.first_longitude && a.last_latitude == b.last_latitude &&
           a.last_longitude == b.last_longitude && a.i_negative == b.i_negative &&
           a.j_consecutive == b.j_consecutive;
}

bool read_grid(const message& m, regular_grid& grid, fault& why) {
    char type[64] = "";
    size_t length = sizeof type;
    if (codes_get_string(m.handle, "gridType", type, &length) != CODES_SUCCESS ||
        std::string(type) != "regular_ll")
        return refuse(m,
                      "the grid is " + std::string(*type ? type : "of no known type") +
                          "; only a regular latitude/longitude grid (regular_ll) is read",
                      why);
    grid.ni = get_long(m.handle, "Ni", 0);
    grid.nj = get_long(m.handle, "Nj", 0);
    grid.first_latitude = get_double(m.handle, "latitudeOfFirstGridPointInDegrees");
    grid.first_longitude = get_double(m.handle, "longitudeOfFirstGridPointInDegrees");
    grid.last_latitude = get_double(m.handle, "latitudeOfLastGridPointInDegrees");
    grid.last_longitude = get_double(m.handle, "longitudeOfLastGridPointInDegrees");
    grid.i_negative = get_long(m.handle, "iScansNegatively", 0) != 0;
    grid.j_consecutive = get_long(m.handle, "jPointsAreConsecutive", 0) != 0;
    if (get_long(m.handle, "alternativeRowScanning", 0) != 0)
        return refuse(m, "rows scanned in alternate directions are not supported", why);
    return true;
}

// Settles the run and the grid point from the first message used, and holds every later
// one to them.
bool check_run_and_grid(const message& m, point_values& values, fault& why) {
    const long long run =
        get_long(m.handle, "dataDate", 0) * 10000LL + get_long(m.handle, "dataTime", 0);
    if (!values.run_known) {
        values.run_known = true;
        values.run = run;
        values.run_file = m.file;
    } else if (run != values.run) {
        return refuse(m,
                      "the run of " + run_words(run) + ", but " + values.run_file +
                          " holds the run of " + run_words(values.run) + ": two runs are mixed",
                      why);
    }
    regular_grid grid{};
    if (!read_grid(m, grid, why)) return false;
    if (values.grid_known) {
        if (!same_grid(grid, values.grid))
            return refuse(m, "another grid than that of " + values.grid_file, why);
        return true;
    }
    if (!find_nearest_point(grid, values.latitude, values.longitude, values.index,
                            values.point_latitude, values.point_longitude)) {
        char point[64];
        std::snprintf(point, sizeof point, "%.2f, %.2f", values.latitude, values.longitude);
        return refuse(m, "the point " + std::string(point) + " is outside the grid", why);
    }
    values.grid_known = true;
    values.grid = grid;
    values.grid_file = m.file;
    return true;
}

bool read_point_value(const message& m, const point_values& values, int field, double& value,
                      fault& why) {
    // A regular grid's winds along its own axes are earth-relative only when it is not
    // rotated, which the message then says; anything else would need turning.
    if ((field == field_u10 || field == field_v10) && get_long(m.handle, "uvRelativeToGrid", 0))
        return refuse(m, "winds relative to the grid (uvRelativeToGrid 1) are not supported", why);
    const int error =
        codes_get_double_element(m.handle, "values", static_cast<int>(values.index), &value);
    if (error != CODES_SUCCESS)
        return refuse(
            m, "its values cannot be decoded: " + std::string(codes_get_error_message(error)), why);
    if (get_long(m.handle, "bitmapPresent", 0) && value == get_double(m.handle, "missingValue"))
        return refuse(m, std::string(gfs_field_name(field)) + " has no value at the grid point",
                      why);
    return true;
}

// Reads one message; false after a refusal.
bool take_message(const message& m, point_values& values, fault& why) {
    codes_handle* h = m.handle;
    if (get_long(h, "editionNumber", 0) != 2)
        return refuse(
            m, "GRIB edition " + std::to_string(get_long(h, "editionNumber", 0)) + ", not GRIB2",
            why);
    message_keys keys{};
    keys.discipline = get_long(h, "discipline", -1);
    keys.category = get_long(h, "parameterCategory", -1);
    keys.number = get_long(h, "parameterNumber", -1);
    // Most messages of a GFS file end here, on three keys read.
    if (!is_gfs_parameter(keys.discipline, keys.category, keys.number)) return true;
    keys.surface = get_long(h, "typeOfFirstFixedSurface", -1);
    keys.level = get_long(h, "level", -1);
    keys.statistics = get_long(h, "typeOfStatisticalProcessing", -1);
    keys.start = get_long(h, "startStep", -1);
    keys.end = get_long(h, "endStep", -1);
    long hour = 0;
    const int field = identify_gfs_field(keys, hour);
    const bool instant_cloud = is_instant_cloud(keys);
    if ((field < 0 && !instant_cloud) || hour < 6 || hour > 6L * gfs_row_count || hour % 6)
        return true;
    const long row = hour / 6 - 1;
    if (field < 0) {
        values.instant_cloud[row] = true;
        return true;
    }
    double value = 0;
    if (!check_run_and_grid(m, values, why) || !read_point_value(m, values, field, value, why))
        return false;
    values.value[row][field] = value;
    values.have[row][field] = true;
    return true;
}

} // namespace

bool read_grib_file(const std::string& file, point_values& values, fault& why) {
    std::FILE* in = std::fopen(file.c_str(), "rb");
    if (!in) {
        why = {fault_kind::missing_file, "cannot be opened", file};
        return false;
    }
    bool good = true;
    long number = 0;
    for (;;) {
        int error = CODES_SUCCESS;
        codes_handle* h = codes_handle_new_from_file(nullptr, in, PRODUCT_GRIB, &error);
        if (!h) {
            if (error != CODES_SUCCESS && error != CODES_END_OF_FILE) {
                good = refuse({file, number + 1, nullptr},
                              std::string("no GRIB2 message can be read: ") +
                                  codes_get_error_message(error),
                              why);
            } else if (number == 0) {
                why = {fault_kind::refused_input, "no GRIB2 file: it holds no GRIB message", file};
                good = false;
            }
            break;
        }
        ++number;
        good = take_message({file, number, h}, values, why);
        codes_handle_delete(h);
        if (!good) break;
    }
    // The fields left of a packed message belong to this file alone.
    codes_grib_multi_support_reset_file(nullptr, in);
    std::fclose(in);
    return good;
}
