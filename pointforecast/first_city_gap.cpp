#include "pointforecast/first_city_gap.h"

#include "pointforecast/compute_city_forecast.h"

#include <cmath>

std::string first_city_gap(const station_arrays& arrays) {
    // The forecast itself tells where the gaps are; a weight inside 0 to 1 makes no
    // overflow that could pass for one.
    city_forecast f;
    compute_city_forecast(arrays, 0.5, f);
    static const char* const columns[day_columns] = {"LowTemp", "HighTemp",    "LowDPT",
                                                     "HighDPT", "LowProbPrec", "HighProbPrec"};
    for (int d = 0; d < forecast_days; ++d)
        for (int c = 0; c < day_columns; ++c) {
            // Days 3 to 7 have no LowProbPrec by design.
            if (d >= 2 && c == 4) continue;
            if (std::isnan(f.day[d][c].value))
                return "day " + std::to_string(d + 1) + " " + columns[c];
        }
    for (int r = 0; r < sky_wind_rows; ++r) {
        const std::string hour = "hour " + std::to_string(sky_wind_hour(r));
        if (std::isnan(f.cloud[r].value)) return hour + " CLD";
        if (r < short_rows && std::isnan(f.direction[r].value)) return hour + " WDR";
        if (std::isnan(f.speed[r].value)) return hour + " WSP";
    }
    return "";
}
