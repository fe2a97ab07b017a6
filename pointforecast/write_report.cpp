#include "pointforecast/write_report.h"

#include "pointforecast/write_day_table.h"
#include "pointforecast/write_sky_wind_table.h"

#include <ostream>

void write_report(std::ostream& out, const city_forecast& forecast) {
    out << std::left << "1200 City of Vuzazav Forecast Data" << std::endl;
    out << std::endl;
    write_day_table(out, forecast, true);
    out << std::endl;
    out << "Cloud cover, wind speed, and wind direction data" << std::endl;
    out << std::endl;
    write_sky_wind_table(out, forecast);
}
