#include "pointforecast/gather_day_values.h"

void gather_day_values(const std::int32_t* eta_temp_pop, const std::int32_t* avn_temp_pop,
                       const std::int32_t* mrf_temp_pop, model_pair* day_pairs,
                       station_set* ext_day_sets) {
    for (int s = 0; s < 4; ++s)
        for (int j = 0; j < 12; ++j) day_pairs[j][s] = eta_temp_pop[s * 12 + j];
    for (int s = 0; s < 4; ++s)
        for (int j = 0; j < 12; ++j) day_pairs[j][4 + s] = avn_temp_pop[s * 12 + j];
    for (int s = 0; s < 4; ++s)
        for (int k = 0; k < 25; ++k) ext_day_sets[k][s] = mrf_temp_pop[s * 25 + k];
}
