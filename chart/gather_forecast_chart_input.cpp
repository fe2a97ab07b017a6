#include "chart/gather_forecast_chart_input.h"

#include <limits>

void gather_forecast_chart_input(const city_forecast& forecast, double eta_weight,
                                 forecast_chart_input& input) {
    input.eta_weight = eta_weight;
    for (int d = 0; d < forecast_days; ++d) {
        const city_value* v = forecast.day[d];
        input.days[d] = forecast_chart_day{v[0], v[1], v[2], v[3], v[4], v[5]};
    }
    const chart_value none = {std::numeric_limits<double>::quiet_NaN(), false};
    for (int r = 0; r < sky_wind_rows; ++r) {
        const bool short_range = r < short_rows;
        input.hours[r] = forecast_chart_hour{sky_wind_hour(r), forecast.cloud[r], forecast.speed[r],
                                             short_range ? forecast.direction[r] : none,
                                             short_range && forecast.speed[r].value == 0};
    }
}
