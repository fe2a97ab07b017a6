#include "pointforecast/write_day_table.h"

#include <iomanip>
#include <ostream>

void write_day_table(std::ostream& out, const city_forecast& forecast, bool pad_short_days) {
    out << std::left << std::setw(7) << "Day";
    for (const char* caption : {"LowTemp", "HighTemp", "LowDPT", "HighDPT", "LowProbPrec"})
        out << std::setw(12) << caption;
    out << "HighProbPrec" << std::endl;
    out << std::endl;

    for (int d = 0; d < forecast_days; ++d) {
        const city_value* values = forecast.day[d];
        out << std::left << std::setw(7) << d + 1;
        for (int c = 0; c < 4; ++c) out << std::setw(12) << values[c].value;
        // The extended days hold no low precipitation probability: its cell stays blank.
        if (d < 2)
            out << std::setw(12) << values[4].value;
        else
            out << std::setw(12) << " ";
        if (d < 2 && pad_short_days) out << std::setw(12);
        out << values[5].value << std::endl;
    }
}
