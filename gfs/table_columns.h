#pragma once

#include "gfs/gfs_rows.h"

// The fifteen columns of the table file, in order: header text and width. Padding
// follows each item, so a longer item is written whole and shifts the rest of its line.
struct gfs_column {
    const char* title;
    int width;
};
inline constexpr int gfs_column_count = 15;
inline constexpr gfs_column gfs_columns[gfs_column_count] = {
    {"HR", 5},          {"Pressure", 11},   {"2m Temp", 12}, {"850MB Temp", 13}, {"700MB Temp", 13},
    {"500MB Temp", 13}, {"Thickness", 12},  {"Hum %", 10},   {"Precip", 14},     {"Cld Cover", 11},
    {"Wind Dir", 12},   {"Wind Speed", 14}, {"Adj", 12},     {"+", 12},          {"-", 12},
};

// The columns after the hour, all doubles.
inline constexpr int gfs_value_columns = gfs_column_count - 1;

// The values of a row in column order, the hour left out.
inline void gfs_table_values(const gfs_table_row& r, double* values) {
    const double v[gfs_value_columns] = {
        r.mslp_inhg,      r.t2m_f,        r.t850_f,       r.t700_f,       r.t500_f,
        r.thickness_dm,   r.rh_pct,       r.precip_in,    r.cloud_pct,    r.wind_dir_deg,
        r.wind_speed_mph, r.adjustment_f, r.t2m_raised_f, r.t2m_lowered_f};
    for (int c = 0; c < gfs_value_columns; ++c) values[c] = v[c];
}
