#pragma once

#include <cstdint>

// Rows of a GFS model file that one run reads, one every 6 hours from hour 6 to 288.
inline constexpr int gfs_row_count = 48;

// One forecast hour of a GFS model file, in the file's field order.
struct gfs_row {
    std::int32_t hour;
    double mslp;       // hPa, inches of mercury once converted
    double t2m;        // degrees C, then F
    double t850;       // degrees C, then F
    double t700;       // degrees C, then F
    double t500;       // degrees C, then F
    double thickness;  // decametres
    double rh;         // percent
    double precip;     // mm, then inches
    double cloud;      // percent
    double wind_dir;   // degrees
    double wind_speed; // knots, then miles per hour
};

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
