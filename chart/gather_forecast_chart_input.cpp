#include "chart/gather_forecast_chart_input.h"

#include "arith/blended_station_sum.h"
#include "arith/unit_conversions.h"
#include "arith/weighted_station_sum.h"

#include <cmath>

static chart_value plain(double value) {
    return chart_value{value, false};
}

void gather_forecast_chart_input(const model_pair* day_pairs, const station_set* ext_day_sets,
                                 const std::int32_t* eta_sky_wind, const std::int32_t* avn_sky_wind,
                                 const std::int32_t* mrf_sky_wind, double eta_weight,
                                 double avn_ratio, forecast_chart_input& input) {
    input.eta_weight = eta_weight;
    // The elements of the day table: LowTemp, HighTemp, LowDPT, HighDPT, LowProbPrec and
    // HighProbPrec of days 1 and 2 from day_pairs; of days 3 to 7 from ext_day_sets.
    static const int short_elements[2][6] = {{0, 1, 4, 5, 8, 9}, {2, 3, 6, 7, 10, 11}};
    for (int d = 0; d < 2; ++d) {
        double v[6];
        for (int c = 0; c < 6; ++c)
            v[c] = blended_station_sum(eta_weight, avn_ratio, day_pairs[short_elements[d][c]]);
        input.days[d] = forecast_chart_day{plain(v[0]), plain(v[1]), plain(v[2]),
                                           plain(v[3]), plain(v[4]), plain(v[5])};
    }
    for (int t = 0; t < 5; ++t) {
        input.days[2 + t] = forecast_chart_day{plain(weighted_station_sum(ext_day_sets[t])),
                                               plain(weighted_station_sum(ext_day_sets[5 + t])),
                                               plain(weighted_station_sum(ext_day_sets[10 + t])),
                                               plain(weighted_station_sum(ext_day_sets[15 + t])),
                                               plain(NAN),
                                               plain(weighted_station_sum(ext_day_sets[20 + t]))};
    }

    for (int r = 0; r < forecast_chart_short_hours; ++r) {
        model_pair cloud, direction, speed;
        for (int s = 0; s < 4; ++s) {
            cloud[s] = eta_sky_wind[s * 57 + r];
            cloud[4 + s] = avn_sky_wind[s * 57 + r];
            direction[s] = eta_sky_wind[s * 57 + 19 + r];
            direction[4 + s] = avn_sky_wind[s * 57 + 19 + r];
            speed[s] = eta_sky_wind[s * 57 + 38 + r];
            speed[4 + s] = avn_sky_wind[s * 57 + 38 + r];
        }
        double knots = blended_station_sum(eta_weight, avn_ratio, speed);
        input.hours[r] = forecast_chart_hour{
            6 + 3 * r, plain(blended_station_sum(eta_weight, avn_ratio, cloud) / 10.0),
            plain(knots_to_mph(knots)),
            plain(blended_station_sum(eta_weight, avn_ratio, direction)), knots == 0};
    }
    for (int r = 0; r < forecast_chart_hours - forecast_chart_short_hours; ++r) {
        int hour = 72 + 12 * r;
        station_set cloud, speed;
        for (int s = 0; s < 4; ++s) {
            cloud[s] = mrf_sky_wind[s * 22 + hour / 12 - 6];
            speed[s] = mrf_sky_wind[s * 22 + hour / 12 + 5];
        }
        input.hours[forecast_chart_short_hours + r] = forecast_chart_hour{
            hour, plain(weighted_station_sum(cloud) / 10.0),
            plain(knots_to_mph(weighted_station_sum(speed))), plain(NAN), false};
    }
}
