#pragma once

#include <cstdint>

// blended_station_sum when some of the eight values are absent: each model's stations
// are summed as present_station_sum does and blended with first_weight and
// second_weight; when one model has no station present, the other model's sum alone is
// the result. With all eight present it is blended_station_sum exactly. Returns false,
// leaving sum alone, when no value is present.
bool present_blended_sum(double first_weight, double second_weight, const std::int32_t* pair,
                         const bool* present, double& sum);
