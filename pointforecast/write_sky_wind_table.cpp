#include "pointforecast/write_sky_wind_table.h"

#include "arith/blended_station_sum.h"
#include "arith/shared_types.h"
#include "arith/unit_conversions.h"
#include "arith/weighted_station_sum.h"

#include <iomanip>
#include <ostream>

static void start_row(std::ostream& out) {
    out << std::left << std::fixed << std::setprecision(2);
}

void write_sky_wind_table(std::ostream& out, const std::int32_t* eta_sky_wind,
                          const std::int32_t* avn_sky_wind, const std::int32_t* mrf_sky_wind,
                          double eta_weight, double avn_ratio) {
    out << std::left << std::setw(6) << "HR" << std::setw(8) << "CLD" << std::setw(10) << "WDR"
        << std::setw(10) << "WSP (MPH)" << std::endl;

    for (int r = 0; r < 19; ++r) {
        model_pair cloud, direction, speed;
        for (int s = 0; s < 4; ++s) {
            cloud[s] = eta_sky_wind[s * 57 + r];
            cloud[4 + s] = avn_sky_wind[s * 57 + r];
            direction[s] = eta_sky_wind[s * 57 + 19 + r];
            direction[4 + s] = avn_sky_wind[s * 57 + 19 + r];
            speed[s] = eta_sky_wind[s * 57 + 38 + r];
            speed[4 + s] = avn_sky_wind[s * 57 + 38 + r];
        }
        start_row(out);
        out << std::setw(6) << 6 + 3 * r << std::setw(8)
            << blended_station_sum(eta_weight, avn_ratio, cloud) / 10.0 << std::setw(10)
            << blended_station_sum(eta_weight, avn_ratio, direction) << std::setw(10)
            << knots_to_mph(blended_station_sum(eta_weight, avn_ratio, speed)) << std::endl;
    }
    out << std::endl;

    for (int r = 0; r < 11; ++r) {
        int hour = 72 + 12 * r;
        station_set cloud, speed;
        for (int s = 0; s < 4; ++s) {
            cloud[s] = mrf_sky_wind[s * 22 + hour / 12 - 6];
            speed[s] = mrf_sky_wind[s * 22 + hour / 12 + 5];
        }
        start_row(out);
        out << std::setw(6) << hour << std::setw(8) << weighted_station_sum(cloud) / 10.0
            << std::setw(10) << "" << std::setw(10) << knots_to_mph(weighted_station_sum(speed))
            << std::endl;
    }
}
