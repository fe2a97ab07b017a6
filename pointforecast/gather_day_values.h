#pragma once

#include "arith/shared_types.h"

// Regroups the day values of the stations: day_pairs[j] takes element j of eta_temp_pop
// and avn_temp_pop [4][12] for all four stations, ext_day_sets[k] element k of
// mrf_temp_pop [4][25]. The station arrays are not changed.
void gather_day_values(const std::int32_t* eta_temp_pop, const std::int32_t* avn_temp_pop,
                       const std::int32_t* mrf_temp_pop, model_pair* day_pairs,
                       station_set* ext_day_sets);
