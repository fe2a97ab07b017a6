#pragma once

#include <cstdint>
#include <iosfwd>

// Writes the cloud cover, wind direction and wind speed table: nineteen rows for hours 6
// to 60 blended from eta_sky_wind and avn_sky_wind [4][57] with the two weights, an empty
// line, and eleven rows for hours 72 to 192 from mrf_sky_wind [4][22], which holds no
// direction. Values in fixed notation with two decimals; cloud as a fraction of the sky,
// speed in miles per hour. Leaves the fixed flag and precision 2 set.
void write_sky_wind_table(std::ostream& out, const std::int32_t* eta_sky_wind,
                          const std::int32_t* avn_sky_wind, const std::int32_t* mrf_sky_wind,
                          double eta_weight, double avn_ratio);
