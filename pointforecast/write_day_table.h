#pragma once

#include "arith/shared_types.h"

#include <iosfwd>

// Writes the seven-day table of low and high temperature, dew point and precipitation
// probability, in general notation. Days 1 and 2 blend the models with the two weights;
// days 3 to 7 come from the extended bulletins alone. With pad_short_days the last value
// of days 1 and 2 is padded to its column as well, as the report file has it. Leaves the
// left-adjust flag set.
void write_day_table(std::ostream& out, const model_pair* day_pairs,
                     const station_set* ext_day_sets, double eta_weight, double avn_ratio,
                     bool pad_short_days);
