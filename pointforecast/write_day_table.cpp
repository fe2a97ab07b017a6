#include "pointforecast/write_day_table.h"

#include <iomanip>
#include <ostream>

// The widths of the day column and of each value column.
static const int day_width = 7;
static const int value_width = 12;

void write_day_table(std::ostream& out, const city_forecast& forecast, bool pad_short_days) {
    out << std::left << std::setw(day_width) << "Day";
    for (int c = 0; c + 1 < day_columns; ++c)
        out << std::setw(value_width) << day_column_captions[c];
    out << day_column_captions[day_columns - 1] << std::endl;
    out << std::endl;

    for (int d = 0; d < forecast_days; ++d) {
        const city_value* values = forecast.day[d];
        out << std::left << std::setw(day_width) << d + 1;
        for (int c = 0; c + 1 < day_columns; ++c) {
            // The extended days hold no low precipitation probability: its cell stays blank.
            if (shown_in_day_table(d, c))
                out << std::setw(value_width) << values[c].value;
            else
                out << std::setw(value_width) << " ";
        }
        if (d < 2 && pad_short_days) out << std::setw(value_width);
        out << values[day_columns - 1].value << std::endl;
    }
}
