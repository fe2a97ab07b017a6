#include "pointforecast/compute_city_forecast.h"

#include "arith/blended_station_sum.h"
#include "arith/shared_types.h"
#include "arith/unit_conversions.h"
#include "arith/weighted_station_sum.h"
#include "pointforecast/gather_day_values.h"

#include <limits>

static city_value all_stations(double value) {
    return {value, false};
}

void compute_city_forecast(const station_arrays& a, double eta_weight, city_forecast& f) {
    const double avn_ratio = 1.0 - eta_weight;
    model_pair day_pairs[12];
    station_set ext_day_sets[25];
    gather_day_values(a.eta_temp_pop, a.avn_temp_pop, a.mrf_temp_pop, day_pairs, ext_day_sets);

    // Day d (1 or 2) takes its values from these elements of day_pairs.
    static const int short_elements[2][day_columns] = {{0, 1, 4, 5, 8, 9}, {2, 3, 6, 7, 10, 11}};
    for (int d = 0; d < 2; ++d)
        for (int c = 0; c < day_columns; ++c)
            f.day[d][c] = all_stations(
                blended_station_sum(eta_weight, avn_ratio, day_pairs[short_elements[d][c]]));
    // Day 3 + t: pair t of the extended rows; they hold no low precipitation probability.
    for (int t = 0; t < 5; ++t) {
        for (int c = 0; c < 4; ++c)
            f.day[2 + t][c] = all_stations(weighted_station_sum(ext_day_sets[5 * c + t]));
        f.day[2 + t][4] = all_stations(std::numeric_limits<double>::quiet_NaN());
        f.day[2 + t][5] = all_stations(weighted_station_sum(ext_day_sets[20 + t]));
    }

    for (int r = 0; r < short_rows; ++r) {
        model_pair cloud, direction, speed;
        for (int s = 0; s < 4; ++s) {
            cloud[s] = a.eta_sky_wind[s * 57 + r];
            cloud[4 + s] = a.avn_sky_wind[s * 57 + r];
            direction[s] = a.eta_sky_wind[s * 57 + 19 + r];
            direction[4 + s] = a.avn_sky_wind[s * 57 + 19 + r];
            speed[s] = a.eta_sky_wind[s * 57 + 38 + r];
            speed[4 + s] = a.avn_sky_wind[s * 57 + 38 + r];
        }
        f.cloud[r] = all_stations(blended_station_sum(eta_weight, avn_ratio, cloud) / 10.0);
        f.direction[r] = all_stations(blended_station_sum(eta_weight, avn_ratio, direction));
        f.speed[r] = all_stations(knots_to_mph(blended_station_sum(eta_weight, avn_ratio, speed)));
    }
    for (int r = short_rows; r < sky_wind_rows; ++r) {
        int hour = sky_wind_hour(r);
        station_set cloud, speed;
        for (int s = 0; s < 4; ++s) {
            cloud[s] = a.mrf_sky_wind[s * 22 + hour / 12 - 6];
            speed[s] = a.mrf_sky_wind[s * 22 + hour / 12 + 5];
        }
        f.cloud[r] = all_stations(weighted_station_sum(cloud) / 10.0);
        f.speed[r] = all_stations(knots_to_mph(weighted_station_sum(speed)));
    }
}
