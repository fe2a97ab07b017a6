#pragma once

#include "ingest/bulletin_layout.h"

#include <cstdint>

// The values of the rows the readers take, one struct per kind of bulletin block, each
// member in the order the row gives them. Every other file reads them by name.

// What the bulletins write where they have no value: 999 in the temperature, dew point,
// precipitation and sky cover rows, 99 in the wind rows. Cloud word rows have no such
// marker.
inline constexpr std::int32_t missing_temp_pop_value = 999;
inline constexpr std::int32_t missing_wind_value = 99;

// Values a short-range bulletin gives per row: 19 three-hourly columns from hour 6.
inline constexpr int short_columns = 19;
// Columns of the extended rows the readers take: days 3 to 7, and the 11 12-hourly
// columns from hour 72.
inline constexpr int extended_days = 5;
inline constexpr int extended_columns = 11;

// A short-range bulletin's "N/X", "DPT" and "P12" rows: the four maxima and minima, the
// dew points at their times (the 7th, 11th, 15th and 19th), the four 12-hour
// probabilities. Element 2d and 2d + 1 belong to day d + 1.
struct short_temp_pop {
    std::int32_t temp[4];
    std::int32_t dew_point[4];
    std::int32_t pop12[4];
};

// An extended bulletin's "X/N", "DPT" and "P24" rows for days 3 to 7: each day's pair of
// temperatures and of dew points, and the 24-hour probability.
struct ext_temp_pop {
    std::int32_t low_temp[extended_days], high_temp[extended_days];
    std::int32_t low_dew_point[extended_days], high_dew_point[extended_days];
    std::int32_t pop24[extended_days];
};

// A short-range bulletin's "CLD" (as cloud codes: tenths covered), "WDR" (tens of degrees)
// and "WSP" (knots) rows; for a National Blend bulletin, "SKY" (percent covered, 999
// where missing) in place of "CLD".
struct short_sky_wind {
    std::int32_t cloud[short_columns];
    std::int32_t direction[short_columns];
    std::int32_t speed[short_columns];
    std::int32_t sky_percent; // 1 where cloud holds sky covers in percent, else 0
};

// An extended bulletin's "CLD" and "WND" rows from hour 72 to 192.
struct ext_sky_wind {
    std::int32_t cloud[extended_columns];
    std::int32_t speed[extended_columns];
};

// Every value of one bulletin file, first index the station (KBKX, KHON, KMHE, KFSD): the
// ETA, the AVN (or GFS) and the extended MRF (or GFSX) bulletins.
struct bulletin_values {
    short_temp_pop eta_temp_pop[station_count], avn_temp_pop[station_count];
    ext_temp_pop mrf_temp_pop[station_count];
    short_sky_wind eta_sky_wind[station_count], avn_sky_wind[station_count];
    ext_sky_wind mrf_sky_wind[station_count];
};
