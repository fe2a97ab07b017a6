#pragma once

#include <cstdint>

// One quantity at one time: elements 0-3 from the ETA bulletins of the four stations,
// elements 4-7 the same from the AVN (or GFS) bulletins.
using model_pair = std::int32_t[8];

// One quantity at one time from the extended bulletins, one value per station.
using station_set = std::int32_t[4];

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

// Rows of a GFS model file that one run reads.
inline constexpr int gfs_row_count = 48;
