#pragma once

#include <cstdint>

// The city value of one quantity when some stations lack it: with p the weighted sum of
// the values of the stations present and w the sum of their weights (both added in
// station order), the result is (p / w) times the sum of all four weights, so that equal
// values v still give v times that sum. With all four present it is weighted_station_sum
// exactly. Returns false, leaving sum alone, when no station is present.
bool present_station_sum(const std::int32_t* set, const bool* present, double& sum);
// The same of values that are already doubles (sky covers in tenths).
bool present_station_sum(const double* set, const bool* present, double& sum);
