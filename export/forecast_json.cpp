#include "calendar/bulletin_date.h"
#include "calendar/iso_date.h"
#include "export/forecast_export.h"
#include "export/json_number.h"

#include <nlohmann/json.hpp>

using json = nlohmann::ordered_json;

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
        for (int c = 0; c < day_columns; ++c)
            day[day_keys[c]] = value_object(day_export_value(in, d, c));
        days.push_back(day);
    }
    doc["days"] = days;
    json hours = json::array();
    for (int r = 0; r < sky_wind_rows; ++r) {
        json hour;
        hour["hour"] = sky_wind_hour(r);
        utc_time valid{0, 0, 0, 0};
        hour["valid"] = sky_wind_valid_time(in, r, valid) ? json(iso_time(valid)) : json(nullptr);
        for (int kind = 0; kind < 3; ++kind)
            hour[hour_keys[kind]] = value_object(hour_export_value(in, r, kind));
        hours.push_back(hour);
    }
    doc["hours"] = hours;
    // A file name may hold any byte; what is no UTF-8 becomes U+FFFD rather than no file.
    return doc.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}
