#include "grib/gfs_point.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

// "44.05 N", "97.20 W"
std::string degrees(double value, char positive, char negative) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f %c", std::fabs(value), value < 0 ? negative : positive);
    return text;
}

double east_of_greenwich(double longitude) {
    while (longitude > 180) longitude -= 360;
    while (longitude <= -180) longitude += 360;
    return longitude;
}

std::string run_line(const utc_time& run) {
    char text[64];
    std::snprintf(text, sizeof text, "MODEL RUN:  %02d UTC %s %02d %s %04d\n", run.hour,
                  in_capitals(weekday_abbreviation(run)).c_str(), run.day,
                  in_capitals(month_abbreviation(run.month)).c_str(), run.year);
    return text;
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
        int decimals, width;
    };
    const column columns[] = {
        {row.mslp, 1, 16},  {row.t2m, 1, 16},       {row.t850, 1, 13},      {row.t700, 1, 13},
        {row.t500, 1, 13},  {row.thickness, 1, 11}, {row.rh, 0, 16},        {row.precip, 1, 16},
        {row.cloud, 0, 15}, {row.wind_dir, 0, 16},  {row.wind_speed, 0, 0},
    };
    char text[32];
    std::snprintf(text, sizeof text, "[%03d]  ", static_cast<int>(row.hour));
    std::string line = text;
    for (const column& c : columns) {
        std::snprintf(text, sizeof text, "%-*.*f", c.width, c.decimals, c.value);
        line += text;
        // A value as wide as its column still stands apart from the next.
        if (c.width && line.back() != ' ') line += ' ';
    }
    return line + "\n";
}

} // namespace

std::string format_gfs_model_file(const gfs_point_series& series) {
    char step[32];
    std::snprintf(step, sizeof step, "%.2f", series.grid_step);
    std::string text = "NCEP GLOBAL FORECAST SYSTEM (GFS) " + std::string(step) +
                       " DEGREE  -  POINT TIME SERIES\n";
    text += run_line(series.run);
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
