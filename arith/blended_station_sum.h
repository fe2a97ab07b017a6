#pragma once

#include <cstdint>

// first_weight times the weighted sum of pair[0..3] plus second_weight times that of
// pair[4..7]. The weights need not add up to 1: outside 0 to 1 they extrapolate.
double blended_station_sum(double first_weight, double second_weight, const std::int32_t* pair);
