#pragma once

#include <cstdint>

// The values of one bulletin file as the readers store them, first index the station
// (KBKX, KHON, KMHE, KFSD): temperature, dew point and precipitation rows and sky and
// wind rows of the ETA, the AVN (or GFS) and the extended MRF (or GFSX) bulletins.
struct station_arrays {
    std::int32_t eta_temp_pop[4 * 12], avn_temp_pop[4 * 12], mrf_temp_pop[4 * 25];
    std::int32_t eta_sky_wind[4 * 57], avn_sky_wind[4 * 57], mrf_sky_wind[4 * 22];
};
