#include "grib/gfs_point.h"

#include "calendar/iso_date.h"
#include "grib/gfs_fields.h"
#include "grib/grib_message.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

namespace {

// A number in fixed notation with decimals after the point, written whole however wide.
std::string fixed(double value, int decimals) {
    const int length = std::snprintf(nullptr, 0, "%.*f", decimals, value);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    std::snprintf(&text[0], text.size() + 1, "%.*f", decimals, value);
    return text;
}

// A number of at least two digits, as the run's hour and day are written: "06".
std::string two_digits(int value) {
    return (value >= 0 && value < 10 ? "0" : "") + std::to_string(value);
}

// The run as the model file names it: "12 UTC WED 09 DEC 2026".
std::string run_words(const utc_time& run) {
    std::string year = std::to_string(run.year);
    if (run.year >= 0 && year.size() < 4) year.insert(0, 4 - year.size(), '0');
    return two_digits(run.hour) + " UTC " + in_capitals(weekday_abbreviation(run)) + " " +
           two_digits(run.day) + " " + in_capitals(month_abbreviation(run.month)) + " " + year;
}

// The run as a refusal names it: "2026-12-09 12 UTC".
std::string run_label(const utc_time& run) {
    return iso_date(run) + " " + two_digits(run.hour) + " UTC";
}

// What the messages read so far settled: the values at the grid point, and the run and the
// grid of the first message used, which every later one must share.
struct reading {
    point_values values;
    double latitude, longitude; // the point asked for
    bool run_known;
    utc_time run;
    std::string run_file;
    bool grid_known;
    regular_grid grid;
    std::string grid_file;
    long index; // of the grid point in the values of a message
    double point_latitude, point_longitude;
};

bool same_grid(const regular_grid& a, const regular_grid& b) {
    return a.ni == b.ni && a.nj == b.nj && a.first_latitude == b.first_latitude &&
           a.first_longitude == b.first_longitude && a.last_latitude == b.last_latitude &&
           a.last_longitude == b.last_longitude && a.i_increment == b.i_increment &&
           a.i_negative == b.i_negative && a.j_consecutive == b.j_consecutive;
}

bool same_run(const utc_time& a, const utc_time& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour;
}

// Settles the run and the grid point from the first message used, and holds every later
// one to them.
bool check_run_and_grid(const grib_file& m, reading& r, fault& why) {
    utc_time run{};
    if (!read_run(m, run, why)) return false;
    if (!r.run_known) {
        r.run_known = true;
        r.run = run;
        r.run_file = m.name;
    } else if (!same_run(run, r.run)) {
        return refuse_message(m,
                              "the run of " + run_label(run) + ", but " + r.run_file +
                                  " holds the run of " + run_label(r.run) + ": two runs are mixed",
                              why);
    }
    regular_grid grid{};
    if (!read_grid(m, grid, why)) return false;
    if (r.grid_known) {
        if (!same_grid(grid, r.grid))
            return refuse_message(m, "another grid than that of " + r.grid_file, why);
        return true;
    }
    if (!find_nearest_point(grid, r.latitude, r.longitude, r.index, r.point_latitude,
                            r.point_longitude))
        return refuse_message(m,
                              "the point " + fixed(r.latitude, 2) + ", " + fixed(r.longitude, 2) +
                                  " is outside the grid",
                              why);
    r.grid_known = true;
    r.grid = grid;
    r.grid_file = m.name;
    return true;
}

// Takes a decoded field that may be one of those the file needs; false after a refusal.
bool take_message(const grib_file& m, const message_keys& keys, reading& r, fault& why) {
    long hour = 0;
    const int field = identify_gfs_field(keys, hour);
    const bool instant_cloud = is_instant_cloud(keys);
    if ((field < 0 && !instant_cloud) || hour < 6 || hour > 6L * gfs_row_count || hour % 6)
        return true;
    const long row = hour / 6 - 1;
    if (field < 0) {
        r.values.instant_cloud[row] = true;
        return true;
    }
    if (!check_run_and_grid(m, r, why)) return false;
    // A regular grid's winds along its own axes are earth-relative only when it is not
    // rotated, which the message then says; anything else would need turning.
    if ((field == field_u10 || field == field_v10) && field_long(m, "uvRelativeToGrid", 0))
        return refuse_message(
            m, "winds relative to the grid (uvRelativeToGrid 1) are not supported", why);
    double value = 0;
    bool missing = false;
    if (!read_value_at(m, r.index, value, missing, why)) return false;
    const std::string name =
        std::string(gfs_field_name(field)) + " of hour " + std::to_string(hour);
    if (missing) return refuse_message(m, name + " has no value at the grid point", why);
    if (!std::isfinite(value))
        return refuse_message(m, name + " is " + fixed(value, 1) + ", no number", why);
    r.values.value[row][field] = value;
    r.values.have[row][field] = true;
    return true;
}

// "44.05 N", "97.20 W"
std::string degrees(double value, char positive, char negative) {
    return fixed(std::fabs(value), 2) + " " + (value < 0 ? negative : positive);
}

double east_of_greenwich(double longitude) {
    longitude = std::fmod(longitude, 360.0);
    if (longitude > 180) longitude -= 360;
    if (longitude <= -180) longitude += 360;
    return longitude;
}

// The header of the sample model file, its columns as wide as the rows' below.
const char* const header =
    "FIELD  MEAN SEA-LEVEL  2 M TEMPERATUR  TEMPERATURE  TEMPERATURE  TEMPERATURE  THICKNESS  "
    "2 METER RELATI  6HR PRECIPITAT  AVERAGE TOTAL  WIND DIRECTION  WIND SPEED\n"
    "LEVEL                                  850 MB       700 MB       500 MB       500 MB     "
    "                                               10 M            10 M\n"
    "UNITS  HPA             DEGC            DEGC         DEGC         DEGC         DM         "
    "PCT             MM              PCT            DEG             KNTS\n"
    "FHR\n";

std::string row_line(const gfs_row& row) {
    struct column {
        double value;
        int decimals;
        std::size_t width;
    };
    const column columns[] = {
        {row.mslp, 1, 16},  {row.t2m, 1, 16},       {row.t850, 1, 13},      {row.t700, 1, 13},
        {row.t500, 1, 13},  {row.thickness, 1, 11}, {row.rh, 0, 16},        {row.precip, 1, 16},
        {row.cloud, 0, 15}, {row.wind_dir, 0, 16},  {row.wind_speed, 0, 0},
    };
    std::string hour = std::to_string(row.hour);
    if (hour.size() < 3) hour.insert(0, 3 - hour.size(), '0');
    std::string line = "[" + hour + "]  ";
    for (const column& c : columns) {
        std::string text = fixed(c.value, c.decimals);
        // A value as wide as its column still stands apart from the next.
        if (text.size() < c.width)
            text.resize(c.width, ' ');
        else if (c.width)
            text += ' ';
        line += text;
    }
    return line + "\n";
}

// Reads every field of the file, decoding those alone that may be needed.
bool read_grib_file(const std::string& name, reading& r, fault& why) {
    grib_file file;
    if (!open_grib_file(name, file, why)) return false;
    message_keys keys{};
    for (;;) {
        const grib_next next = next_grib_field(file, keys, why);
        if (next != grib_next::field) return next == grib_next::end;
        // Most fields of a GFS file end here, undecoded.
        if (!is_gfs_candidate(keys)) continue;
        if (!decode_grib_field(file, keys, why) || !take_message(file, keys, r, why)) return false;
    }
}

} // namespace

bool load_gfs_point(const gfs_point_request& request, gfs_point_series& series,
                    std::vector<std::string>& notes, fault& why) {
    notes.clear();
    // Some hundred kilobytes: too much for the stack.
    auto r = std::make_unique<reading>();
    r->latitude = request.latitude;
    r->longitude = request.longitude;
    for (const std::string& name : request.files)
        if (!read_grib_file(name, *r, why)) return false;
    if (!make_gfs_rows(r->values, series.rows, notes, why)) return false;
    series.run = r->run;
    series.grid_step = grid_step(r->grid);
    series.grid_latitude = r->point_latitude;
    series.grid_longitude = r->point_longitude;
    series.latitude = request.latitude;
    series.longitude = request.longitude;
    return true;
}

std::string format_gfs_model_file(const gfs_point_series& series) {
    std::string text = "NCEP GLOBAL FORECAST SYSTEM (GFS) " + fixed(series.grid_step, 2) +
                       " DEGREE  -  POINT TIME SERIES\n";
    text += "MODEL RUN:  " + run_words(series.run) + "\n";
    text += "POINT:      GRID LAT " + degrees(series.grid_latitude, 'N', 'S') + "   LON " +
            degrees(east_of_greenwich(series.grid_longitude), 'E', 'W') + "   NEAREST TO LAT " +
            degrees(series.latitude, 'N', 'S') + "   LON " +
            degrees(east_of_greenwich(series.longitude), 'E', 'W') + "\n";
    text += "OUTPUT:     EVERY 6 HOURS, 6 TO " + std::to_string(6 * gfs_row_count) +
            " HOURS; PRECIPITATION IS THE 6 HOUR TOTAL, CLOUD THE 6 HOUR AVERAGE\n\n";
    text += header;
    for (const gfs_row& row : series.rows) text += row_line(row);
    return text;
}
