#include "calendar/iso_date.h"
#include "export/forecast_export.h"
#include "export/json_number.h"

static void add_line(std::string& text, const char* element, const std::string& day,
                     const std::string& hour, const export_value& v) {
    if (!v.exists) return;
    const std::string from = v.timed ? iso_time(v.valid_from) : "";
    const std::string to = v.timed ? iso_time(v.valid_to) : "";
    text += std::string(element) + ',' + day + ',' + hour + ',' + from + ',' + to + ',' +
            csv_number(v.value.value) + ',' + csv_number(v.source.first) + ',' +
            csv_number(v.source.second) + ',' + std::to_string(v.source.stations) + "\r\n";
}

std::string forecast_csv(const forecast_export_input& in) {
    // CRLF line ends, as the CSV format has them, so that any spreadsheet opens it.
    std::string text = "element,day,hour,valid_from,valid_to,value,first,second,stations\r\n";
    for (int d = 0; d < forecast_days; ++d)
        for (int c = 0; c < day_columns; ++c)
            add_line(text, day_keys[c], std::to_string(d + 1), "", day_export_value(in, d, c));
    for (int r = 0; r < sky_wind_rows; ++r)
        for (int kind = 0; kind < 3; ++kind)
            add_line(text, hour_keys[kind], "", std::to_string(sky_wind_hour(r)),
                     hour_export_value(in, r, kind));
    return text;
}
