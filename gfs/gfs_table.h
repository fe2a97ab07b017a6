#pragma once

#include "diagnostics/fault.h"
#include "gfs/gfs_model_file.h"

#include <cstdint>
#include <iosfwd>
#include <string>

// One forecast hour of the model file's table converted to the table file's units, with
// the 2 m temperature adjustment: the fifteen columns of the table file.
struct gfs_table_row {
    std::int32_t hour;
    double mslp_inhg;
    double t2m_f, t850_f, t700_f, t500_f;
    double thickness_dm;
    double rh_pct;
    double precip_in;
    double cloud_pct;
    double wind_dir_deg;
    double wind_speed_mph;
    double adjustment_f; // a difference of temperatures
    double t2m_raised_f, t2m_lowered_f;
};

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
void gfs_table_values(const gfs_table_row& r, double* values);

// Converts the model's rows to inches of mercury, degrees Fahrenheit, inches and miles
// per hour, with the 2 m temperature adjustment and the temperature raised and lowered by
// it. Returns false, with why (kind incorrect_format, the row's position) naming the row
// and column, when a value comes out as no finite number (a value of -1e308 in degrees C
// overflows in Fahrenheit).
bool compute_gfs_table(const gfs_model& model, gfs_table_row* table, fault& why);

// The run up to its table: load_gfs_file on the stream (the file name, opened in binary
// mode), then compute_gfs_table. Returns false with why set to what is wrong, the file and
// the line, whichever step refused.
bool load_gfs_table(std::istream& in, const std::string& name, gfs_model& model,
                    gfs_table_row* table, fault& why);

// Writes the table of the gfs_row_count rows to out: a header line, then one line per row
// of fifteen left-justified columns, the hour as an integer and every other value in
// general notation with six significant digits. Leaves out left-adjusted.
void write_gfs_table(std::ostream& out, const gfs_table_row* rows);
