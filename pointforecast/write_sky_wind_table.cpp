#include "pointforecast/write_sky_wind_table.h"

#include <iomanip>
#include <ostream>

void write_sky_wind_table(std::ostream& out, const city_forecast& forecast) {
    out << std::left << std::setw(6) << "HR" << std::setw(8) << "CLD" << std::setw(10) << "WDR"
        << std::setw(10) << "WSP (MPH)" << std::endl;
    for (int r = 0; r < sky_wind_rows; ++r) {
        if (r == short_rows) out << std::endl;
        out << std::left << std::fixed << std::setprecision(2);
        out << std::setw(6) << sky_wind_hour(r) << std::setw(8) << forecast.cloud[r].value
            << std::setw(10);
        if (r < short_rows)
            out << forecast.direction[r].value;
        else
            out << "";
        out << std::setw(10) << forecast.speed[r].value << std::endl;
    }
}
