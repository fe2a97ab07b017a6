#pragma once

#include <cstdint>

// The city value of one quantity: the sum of the four station values under
// station_weights, added up in station order.
double weighted_station_sum(const std::int32_t* set);
// The same of values that are already doubles.
double weighted_station_sum(const double* set);
