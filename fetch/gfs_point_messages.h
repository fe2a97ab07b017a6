#pragma once

#include "fetch/grib_index.h"

#include <string>
#include <vector>

// The forecast hours whose messages the GFS model file is made of: 6 to 288 every 6.
inline constexpr int first_gfs_hour = 6;
inline constexpr int last_gfs_hour = 288;
inline constexpr int gfs_hour_step = 6;

// Whether the inventory line of a file of forecast hour is a message that gfs-point reads:
// sea-level pressure, temperature at 2 m, 850, 700 and 500 hPa, heights at 500 and 1000
// hPa, humidity at 2 m, the 6-hour precipitation and the run total, the 6-hour average of
// the entire atmosphere's cloud, the 10 m winds; all at that hour.
bool gfs_point_reads(const index_line& line, int hour);

// The fields gfs-point needs that lines (those it reads) lack for hour, as "TMP 850 mb,
// APCP surface"; empty when none. Precipitation is there as the 6-hour bucket or as the
// run total.
std::string missing_gfs_point_fields(const std::vector<index_line>& lines, int hour);
