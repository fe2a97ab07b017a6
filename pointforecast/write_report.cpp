#include "pointforecast/write_report.h"

#include "pointforecast/day_columns.h"

#include <iomanip>
#include <ostream>

// The widths of the day column and of each value column.
static const int day_width = 7;
static const int value_width = 12;

void write_day_table(std::ostream& out, const city_forecast& forecast, bool pad_short_days) {
    const int last = day_column_count - 1;
    out << std::left << std::setw(day_width) << "Day";
    for (int c = 0; c < last; ++c) out << std::setw(value_width) << day_columns[c].caption;
    out << day_columns[last].caption << std::endl;
    out << std::endl;

    for (int d = 0; d < issued_days(forecast); ++d) {
        const city_value* values = forecast.day[d];
        out << std::left << std::setw(day_width) << d + 1;
        for (int c = 0; c < last; ++c) {
            // A value the day does not have leaves its cell blank.
            if (day_value_exists(d, c))
                out << std::setw(value_width) << values[c].value;
            else
                out << std::setw(value_width) << " ";
        }
        if (d < short_days && pad_short_days) out << std::setw(value_width);
        out << values[last].value << std::endl;
    }
    if (!forecast.extended) out << short_range_only_days_line << std::endl;
}

void write_sky_wind_table(std::ostream& out, const city_forecast& forecast) {
    out << std::left << std::setw(6) << "HR" << std::setw(8) << "CLD" << std::setw(10) << "WDR"
        << std::setw(10) << "WSP (MPH)" << std::endl;
    for (int r = 0; r < issued_rows(forecast); ++r) {
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
    if (!forecast.extended) out << std::endl << short_range_only_hours_line << std::endl;
}

void write_report(std::ostream& out, const city_forecast& forecast) {
    out << std::left << "1200 City of Vuzazav Forecast Data" << std::endl;
    out << std::endl;
    write_day_table(out, forecast, true);
    out << std::endl;
    out << "Cloud cover, wind speed, and wind direction data" << std::endl;
    out << std::endl;
    write_sky_wind_table(out, forecast);
}
