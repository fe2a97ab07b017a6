#pragma once

#include "arith/shared_types.h"

#include <iosfwd>

// Writes the whole report of a 1200 run: the title, the day table with its short-range
// days padded, and the cloud cover and wind table.
void write_report(std::ostream& out, const model_pair* day_pairs, const station_set* ext_day_sets,
                  const std::int32_t* eta_sky_wind, const std::int32_t* avn_sky_wind,
                  const std::int32_t* mrf_sky_wind, double eta_weight, double avn_ratio);
