#pragma once

#include <cstdint>

// The four surface stations around the city, in the order of every per-station array.
inline constexpr int station_count = 4;
inline constexpr const char* station_ids[station_count] = {"KBKX", "KHON", "KMHE", "KFSD"};

// Share of each station in the city value, in station order. They add up to 1.000004146
// and are used as they stand, never normalised.
inline constexpr double station_weights[station_count] = {0.353460408, 0.1793834, 0.215645378,
                                                          0.25151496};

// One quantity at one time, one value per station, and which of those values exist.
using station_set = std::int32_t[station_count];
using station_presence = bool[station_count];

// One quantity at one time from both short-range models: the bulletins of the first model
// (ETA, NAM or NBM) and those of the second (AVN or GFS).
struct model_pair {
    station_set first;
    station_set second;
};

// Which values of a model_pair exist.
struct pair_presence {
    station_presence first;
    station_presence second;
};
