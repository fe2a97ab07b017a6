#include "gfs/write_gfs_table.h"

#include <iomanip>
#include <ostream>

// The columns, in order: header text and width. Padding follows each item, so a longer
// item is written whole and shifts the rest of its line.
static const char* const column_titles[] = {
    "HR",         "Pressure",   "2m Temp", "850MB Temp", "700MB Temp",
    "500MB Temp", "Thickness",  "Hum %",   "Precip",     "Cld Cover",
    "Wind Dir",   "Wind Speed", "Adj",     "+",          "-",
};
static const int column_widths[] = {5, 11, 12, 13, 13, 13, 12, 10, 14, 11, 12, 14, 12, 12, 12};
static const int column_count = sizeof column_widths / sizeof column_widths[0];

void write_gfs_table(std::ostream& out, const gfs_row* rows, const double* temp_adj,
                     const double* temp_plus, const double* temp_minus) {
    out.unsetf(std::ios::floatfield);
    out.precision(6);
    out << std::left;
    for (int c = 0; c < column_count; ++c) out << std::setw(column_widths[c]) << column_titles[c];
    out << '\n';
    for (int i = 0; i < gfs_row_count; ++i) {
        const gfs_row& r = rows[i];
        const double values[] = {r.mslp,       r.t2m,       r.t850,       r.t700,       r.t500,
                                 r.thickness,  r.rh,        r.precip,     r.cloud,      r.wind_dir,
                                 r.wind_speed, temp_adj[i], temp_plus[i], temp_minus[i]};
        out << std::left << std::setw(column_widths[0]) << r.hour;
        for (int c = 1; c < column_count; ++c) out << std::setw(column_widths[c]) << values[c - 1];
        out << '\n';
    }
}
