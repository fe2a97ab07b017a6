#include "pointforecast/compute_city_forecast.h"

#include "arith/blended_station_sum.h"
#include "arith/blended_wind_direction.h"
#include "arith/present_blended_sum.h"
#include "arith/present_station_sum.h"
#include "arith/shared_types.h"
#include "arith/unit_conversions.h"
#include "arith/weighted_station_sum.h"
#include "ingest/bulletin_layout.h"
#include "pointforecast/gather_day_values.h"

#include <limits>

static const double gap = std::numeric_limits<double>::quiet_NaN();

// Which of count values are not the bulletins' missing marker; true when one is.
static bool mark_present(const std::int32_t* values, int count, std::int32_t marker,
                         bool* present) {
    bool fewer = false;
    for (int k = 0; k < count; ++k) {
        present[k] = values[k] != marker;
        fewer = fewer || !present[k];
    }
    return fewer;
}

// A blended value of the short range, the stations that lack it left out.
static city_value blend(double eta_weight, double avn_ratio, const std::int32_t* pair,
                        std::int32_t marker) {
    bool present[8];
    city_value v{gap, mark_present(pair, 8, marker, present)};
    if (!present_blended_sum(eta_weight, avn_ratio, pair, present, v.value)) v.value = gap;
    return v;
}

// A value of the extended range, the stations that lack it left out.
static city_value weigh(const std::int32_t* set, std::int32_t marker) {
    bool present[4];
    city_value v{gap, mark_present(set, 4, marker, present)};
    if (!present_station_sum(set, present, v.value)) v.value = gap;
    return v;
}

void compute_city_forecast(const station_arrays& a, double eta_weight, city_forecast& f) {
    const double avn_ratio = 1.0 - eta_weight;
    model_pair day_pairs[12];
    station_set ext_day_sets[25];
    gather_day_values(a.eta_temp_pop, a.avn_temp_pop, a.mrf_temp_pop, day_pairs, ext_day_sets);
    const std::int32_t day_marker = missing_temp_pop_value;

    // Day d (1 or 2) takes its values from these elements of day_pairs.
    static const int short_elements[2][day_columns] = {{0, 1, 4, 5, 8, 9}, {2, 3, 6, 7, 10, 11}};
    for (int d = 0; d < 2; ++d)
        for (int c = 0; c < day_columns; ++c)
            f.day[d][c] = blend(eta_weight, avn_ratio, day_pairs[short_elements[d][c]], day_marker);
    // Day 3 + t: pair t of the extended rows; they hold no low precipitation probability.
    for (int t = 0; t < 5; ++t) {
        for (int c = 0; c < 4; ++c) f.day[2 + t][c] = weigh(ext_day_sets[5 * c + t], day_marker);
        f.day[2 + t][4] = {gap, false};
        f.day[2 + t][5] = weigh(ext_day_sets[20 + t], day_marker);
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
        // Cloud words have no missing marker: every cloud code is a value.
        f.cloud[r] = {blended_station_sum(eta_weight, avn_ratio, cloud) / 10.0, false};
        bool present[8];
        f.direction[r] = {gap, mark_present(direction, 8, missing_wind_value, present)};
        if (!blended_wind_direction(eta_weight, avn_ratio, direction, speed, present,
                                    f.direction[r].value))
            f.direction[r].value = gap;
        f.speed[r] = blend(eta_weight, avn_ratio, speed, missing_wind_value);
        f.speed[r].value = knots_to_mph(f.speed[r].value);
    }
    for (int r = short_rows; r < sky_wind_rows; ++r) {
        int hour = sky_wind_hour(r);
        station_set cloud, speed;
        for (int s = 0; s < 4; ++s) {
            cloud[s] = a.mrf_sky_wind[s * 22 + hour / 12 - 6];
            speed[s] = a.mrf_sky_wind[s * 22 + hour / 12 + 5];
        }
        f.cloud[r] = {weighted_station_sum(cloud) / 10.0, false};
        f.speed[r] = weigh(speed, missing_wind_value);
        f.speed[r].value = knots_to_mph(f.speed[r].value);
    }
}
