#include "pointforecast/write_report.h"

#include "pointforecast/write_day_table.h"
#include "pointforecast/write_sky_wind_table.h"

#include <ostream>

void write_report(std::ostream& out, const model_pair* day_pairs, const station_set* ext_day_sets,
                  const std::int32_t* eta_sky_wind, const std::int32_t* avn_sky_wind,
                  const std::int32_t* mrf_sky_wind, double eta_weight, double avn_ratio) {
    out << std::left << "1200 City of Vuzazav Forecast Data" << std::endl;
    out << std::endl;
    write_day_table(out, day_pairs, ext_day_sets, eta_weight, avn_ratio, true);
    out << std::endl;
    out << "Cloud cover, wind speed, and wind direction data" << std::endl;
    out << std::endl;
    write_sky_wind_table(out, eta_sky_wind, avn_sky_wind, mrf_sky_wind, eta_weight, avn_ratio);
}
