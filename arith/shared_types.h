#pragma once

#include <cstdint>

// One quantity at one time: elements 0-3 from the ETA bulletins of the four stations,
// elements 4-7 the same from the AVN (or GFS) bulletins.
using model_pair = std::int32_t[8];

// One quantity at one time from the extended bulletins, one value per station.
using station_set = std::int32_t[4];
