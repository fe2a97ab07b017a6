#include "export/forecast_export.h"

#include "calendar/bulletin_date.h"
#include "calendar/iso_date.h"
#include "export/json_number.h"
#include "pointforecast/day_columns.h"
#include "reading/places.h"

#include <nlohmann/json.hpp>

#include <vector>

using json = nlohmann::ordered_json;

export_value day_export_value(const forecast_export_input& in, int d, int c) {
    const city_forecast& f = *in.forecast;
    export_value v{day_value_exists(d, c), f.day[d][c], f.sources.day[d][c],
                   in.loaded->dated,       {},          {}};
    utc_time date = in.loaded->issued;
    date.hour = 0;
    date = add_hours(date, 24LL * (d + 1));
    int from_hour = 0, to_hour = 0;
    day_valid_hours(d, c, from_hour, to_hour);
    v.valid_from = add_hours(date, from_hour);
    v.valid_to = add_hours(date, to_hour);
    return v;
}

export_value hour_export_value(const forecast_export_input& in, int r, int q) {
    const city_forecast& f = *in.forecast;
    export_value v{hour_value_exists(r, q), f.cloud[r], f.sources.cloud[r], false, {}, {}};
    if (q == direction_quantity && v.exists) {
        v.value = f.direction[r];
        v.source = f.sources.direction[r];
    } else if (q == speed_quantity) {
        v.value = f.speed[r];
        v.source = f.sources.speed[r];
    }
    v.timed = sky_wind_valid_time(in, r, v.valid_from);
    v.valid_to = v.valid_from;
    return v;
}

bool sky_wind_valid_time(const forecast_export_input& in, int r, utc_time& valid) {
    utc_time start = in.loaded->issued;
    // The extended bulletins are of 0000 UTC; the report counts their hours from it.
    if (r >= short_rows) start.hour = 0;
    valid = add_hours(start, sky_wind_hour(r));
    return in.loaded->dated;
}

static json value_object(const export_value& v) {
    if (!v.exists) return nullptr;
    json o;
    o["value"] = json_number(v.value.value);
    o["first"] = json_number(v.source.first);
    o["second"] = json_number(v.source.second);
    o["stations"] = v.source.stations;
    o["valid_from"] = v.timed ? json(iso_time(v.valid_from)) : json(nullptr);
    o["valid_to"] = v.timed ? json(iso_time(v.valid_to)) : json(nullptr);
    return o;
}

std::string forecast_json(const forecast_export_input& in) {
    const loaded_bulletins& loaded = *in.loaded;
    json doc;
    doc["program"] = in.program;
    doc["input"] = in.input;
    doc["eta_weight"] = json_number(in.eta_weight);
    doc["issued"] = loaded.dated ? json(iso_time(loaded.issued)) : json(nullptr);
    json guidance = json::array();
    for (int k = 0; k < bulletin_count; ++k) {
        const bulletin_header& h = loaded.layout.header[k];
        utc_time date{0, 0, 0, 0};
        json g;
        g["bulletin"] = k + 1;
        g["station"] = h.station;
        g["model"] = h.model;
        g["date"] = parse_bulletin_date(h.date_word, date) ? json(iso_date(date)) : json(nullptr);
        g["cycle"] = h.cycle;
        g["line"] = in.header_line[k];
        guidance.push_back(g);
    }
    doc["guidance"] = guidance;
    json days = json::array();
    for (int d = 0; d < forecast_days; ++d) {
        json day;
        day["day"] = d + 1;
        const export_value first = day_export_value(in, d, 0);
        day["date"] = first.timed ? json(iso_date(first.valid_from)) : json(nullptr);
        for (int c = 0; c < day_column_count; ++c)
            day[day_columns[c].key] = value_object(day_export_value(in, d, c));
        days.push_back(day);
    }
    doc["days"] = days;
    json hours = json::array();
    for (int r = 0; r < sky_wind_rows; ++r) {
        json hour;
        hour["hour"] = sky_wind_hour(r);
        utc_time valid{0, 0, 0, 0};
        hour["valid"] = sky_wind_valid_time(in, r, valid) ? json(iso_time(valid)) : json(nullptr);
        for (int q = 0; q < hour_quantity_count; ++q)
            hour[hour_quantities[q].key] = value_object(hour_export_value(in, r, q));
        hours.push_back(hour);
    }
    doc["hours"] = hours;
    // A file name may hold any byte; what is no UTF-8 becomes U+FFFD rather than no file.
    return doc.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

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
        for (int c = 0; c < day_column_count; ++c)
            add_line(text, day_columns[c].key, std::to_string(d + 1), "",
                     day_export_value(in, d, c));
    for (int r = 0; r < sky_wind_rows; ++r)
        for (int q = 0; q < hour_quantity_count; ++q)
            add_line(text, hour_quantities[q].key, "", std::to_string(sky_wind_hour(r)),
                     hour_export_value(in, r, q));
    return text;
}

void header_lines(std::istream& in, const bulletin_layout& layout, long long* lines) {
    std::vector<fault> at(bulletin_count);
    for (int k = 0; k < bulletin_count; ++k) at[k].position = layout.header[k].station_at;
    place_lines(in, at);
    for (int k = 0; k < bulletin_count; ++k) lines[k] = at[k].line;
}
