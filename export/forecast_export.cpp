#include "export/forecast_export.h"

#include "calendar/bulletin_date.h"
#include "calendar/iso_date.h"
#include "calendar/local_time.h"
#include "export/json_number.h"
#include "pointforecast/day_columns.h"
#include "reading/places.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <utility>
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

// Each station's value as the bulletin gives it, null where it marks none.
static json station_object(const station_set& values, const station_presence& present) {
    json o;
    for (int s = 0; s < station_count; ++s)
        o[station_ids[s]] = present[s] ? json(values[s]) : json(nullptr);
    return o;
}

// The station values of value c of day d: of both short-range guidances on days 1 and 2,
// of the extended one alone (under "first") after them.
static json day_station_values(const bulletin_values& values, int d, int c) {
    json o;
    if (d < short_days) {
        model_pair stations;
        pair_presence present;
        short_day_values(values, d, c, stations, present);
        o["first"] = station_object(stations.first, present.first);
        o["second"] = station_object(stations.second, present.second);
    } else {
        station_set stations;
        station_presence present;
        extended_day_values(values, d, c, stations, present);
        o["first"] = station_object(stations, present);
    }
    return o;
}

static const char* source_key(period_source source) {
    switch (source) {
    case period_source::blend:
        return "blend";
    case period_source::first:
        return "first";
    case period_source::second:
        return "second";
    case period_source::extended:
        return "extended";
    }
    return "";
}

// A guidance's city value as the period gives it: whole, null where it has none. The
// extended guidance is neither of the short-range pair.
static json rounded_city(const guidance_evidence& g, const period_value& v) {
    if (!g.given || v.source == period_source::extended || !std::isfinite(g.city)) return nullptr;
    return rounded_value(g.city);
}

// A value of a period after the keys o holds already (a temperature's kind), with the
// hours it covers, where given, right after the value.
static json period_value_object(const period_value& v, json o = json::object(), int hours = 0) {
    if (!v.exists) return nullptr;
    o["value"] = v.value;
    if (hours > 0) o["hours"] = hours;
    o["unrounded"] = json_number(v.unrounded);
    o["first"] = rounded_city(v.first, v);
    o["second"] = rounded_city(v.second, v);
    o["source"] = source_key(v.source);
    json stations;
    stations["first"] = station_object(v.first.values, v.first.present);
    if (v.second.given) stations["second"] = station_object(v.second.values, v.second.present);
    o["station_values"] = stations;
    return o;
}

// A whole number of the NBM's, null where it has none.
static json whole_or_null(bool exists, long long value) {
    return exists ? json(value) : json(nullptr);
}

static json period_object(const forecast_period& p, const nbm_period* nbm) {
    json o;
    o["name"] = p.name;
    o["start"] = iso_local_time(city_time(p.start));
    o["end"] = iso_local_time(city_time(p.end));
    json kind;
    kind["kind"] = p.night ? "low" : "high";
    o["temperature"] = period_value_object(p.values[temperature_element], kind);
    const bool given = nbm && nbm->given;
    if (nbm && !o["temperature"].is_null()) {
        o["temperature"]["spread"] = whole_or_null(given && nbm->has_spread, nbm->spread);
        o["temperature"]["station_range"] =
            given && nbm->has_range ? json::array({nbm->station_lowest, nbm->station_highest})
                                    : json(nullptr);
    }
    o["dew_point"] = period_value_object(p.values[dew_point_element]);
    o["pop"] = period_value_object(p.values[pop_element], json::object(), p.pop_hours);
    o["sky"] = p.sky ? json(p.sky) : json(nullptr);
    json wind;
    if (p.wind.exists) {
        wind["direction"] =
            p.wind.point < 0 ? json(nullptr) : json(compass_point_name(p.wind.point));
        wind["speed_mph"] = p.wind.speed_mph;
    }
    o["wind"] = wind;
    if (nbm) {
        o["precip_in"] = given && nbm->has_precip ? json(nbm->precip_in) : json(nullptr);
        o["snow_in"] = given && nbm->has_snow ? json(nbm->snow_in) : json(nullptr);
        o["gust_mph"] = whole_or_null(given && nbm->has_gust, nbm->gust_mph);
        o["precip_type"] = given && nbm->precip_type >= 0
                               ? json(precip_type_names[nbm->precip_type])
                               : json(nullptr);
        o["thunder_pct"] = whole_or_null(given && nbm->has_thunder, nbm->thunder_pct);
        o["wind_chill_f"] = whole_or_null(given && nbm->has_wind_chill, nbm->wind_chill_f);
    }
    json flags = json::array();
    for (const period_flag& f : p.flags) {
        json flag;
        flag["kind"] = flag_kind_key(f.kind);
        flag["element"] = period_element_key(f.element);
        flag["text"] = f.text;
        flags.push_back(flag);
    }
    o["flags"] = flags;
    return o;
}

static const nbm_period no_nbm_period{};

// The NBM's elements of period k, or null where the documents leave them out.
static const nbm_period* period_nbm(const forecast_export_input& in, std::size_t k) {
    if (!in.nbm) return nullptr;
    return k < in.nbm->periods.size() ? &in.nbm->periods[k] : &no_nbm_period;
}

// The valid time of the NBM's hour index i. False when the bulletins carry no real date.
static bool nbm_valid_time(const forecast_export_input& in, int i, utc_time& valid) {
    valid = add_hours(in.loaded->issued, nbm_hour(i));
    return in.loaded->dated;
}

static json nbm_value_object(const nbm_city_value& v, nbm_unit unit) {
    if (!v.exists) return nullptr;
    json o;
    o["value"] = json_number(nbm_document_value(unit, v.value));
    o["spread"] = json_number(nbm_document_value(unit, v.spread));
    // Degrees and percent stay the bulletins' whole numbers.
    const bool whole = unit == nbm_unit::as_given;
    o["min"] = whole ? json(v.lowest) : json_number(nbm_document_value(unit, v.lowest));
    o["max"] = whole ? json(v.highest) : json_number(nbm_document_value(unit, v.highest));
    o["stations"] = v.stations;
    return o;
}

static json nbm_hours(const forecast_export_input& in) {
    if (!in.nbm->given) return nullptr;
    json hours = json::array();
    for (int i = 0; i < nbm_hour_count; ++i) {
        json hour;
        hour["hour"] = nbm_hour(i);
        utc_time valid{0, 0, 0, 0};
        hour["valid"] = nbm_valid_time(in, i, valid) ? json(iso_time(valid)) : json(nullptr);
        for (int e = 0; e < nbm_element_count; ++e)
            hour[nbm_elements[e].key] = nbm_value_object(in.nbm->hour[i][e], nbm_elements[e].unit);
        hours.push_back(hour);
    }
    return hours;
}

std::string forecast_json(const forecast_export_input& in) {
    const loaded_bulletins& loaded = *in.loaded;
    json doc;
    doc["program"] = in.program;
    doc["input"] = in.input;
    doc["eta_weight"] = json_number(in.eta_weight);
    doc["issued"] = loaded.dated ? json(iso_time(loaded.issued)) : json(nullptr);
    const city_forecast& forecast = *in.forecast;
    if (!forecast.extended) doc["short_range_only"] = true;
    json guidance = json::array();
    for (int k = 0; k < loaded.layout.count; ++k) {
        const bulletin_header& h = loaded.layout.header[k];
        utc_time date{0, 0, 0, 0};
        json g;
        g["bulletin"] = k + 1;
        g["station"] = h.station;
        g["model"] = h.model;
        g["date"] = parse_bulletin_date(h.date_word, date) ? json(iso_date(date)) : json(nullptr);
        g["cycle"] = h.cycle;
        g["line"] = in.header_line[k];
        if (loaded.layout.absent[k]) g["missing"] = true;
        guidance.push_back(g);
    }
    doc["guidance"] = guidance;
    json days = json::array();
    for (int d = 0; d < issued_days(forecast); ++d) {
        json day;
        day["day"] = d + 1;
        const export_value first = day_export_value(in, d, 0);
        day["date"] = first.timed ? json(iso_date(first.valid_from)) : json(nullptr);
        for (int c = 0; c < day_column_count; ++c) {
            json value = value_object(day_export_value(in, d, c));
            if (!value.is_null()) value["station_values"] = day_station_values(loaded.values, d, c);
            day[day_columns[c].key] = value;
        }
        days.push_back(day);
    }
    doc["days"] = days;
    json hours = json::array();
    for (int r = 0; r < issued_rows(forecast); ++r) {
        json hour;
        hour["hour"] = sky_wind_hour(r);
        utc_time valid{0, 0, 0, 0};
        hour["valid"] = sky_wind_valid_time(in, r, valid) ? json(iso_time(valid)) : json(nullptr);
        for (int q = 0; q < hour_quantity_count; ++q)
            hour[hour_quantities[q].key] = value_object(hour_export_value(in, r, q));
        hours.push_back(hour);
    }
    doc["hours"] = hours;
    json periods = nullptr;
    if (in.periods) {
        periods = json::array();
        for (std::size_t k = 0; k < in.periods->size(); ++k)
            periods.push_back(period_object((*in.periods)[k], period_nbm(in, k)));
    }
    doc["periods"] = periods;
    if (in.nbm) {
        doc["nbm_note"] = in.nbm->given ? json(nullptr) : json(nbm_absent_text);
        doc["nbm_hours"] = nbm_hours(in);
    }
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

// A line of the NBM's: no guidance's own value, value and stations empty where absent.
static void add_nbm_line(std::string& text, const std::string& element, const std::string& day,
                         const std::string& hour, const std::string& from, const std::string& to,
                         const std::string& value, const std::string& stations) {
    text += element + ',' + day + ',' + hour + ',' + from + ',' + to + ',' + value + ",,," +
            stations + "\r\n";
}

static std::string whole_field(bool exists, long long value) {
    return exists ? std::to_string(value) : std::string();
}

// The NBM's lines: each period of days 1 and 2 (Today's too), then each hour's elements.
static void add_nbm_lines(std::string& text, const forecast_export_input& in) {
    const nbm_forecast& f = *in.nbm;
    for (std::size_t k = 0; in.periods && k < in.periods->size(); ++k) {
        const forecast_period& p = (*in.periods)[k];
        if (p.day > short_days) continue;
        const nbm_period& n = *period_nbm(in, k);
        const bool given = f.given && n.given;
        const std::pair<const char*, std::string> fields[] = {
            {"precip_in", given && n.has_precip ? csv_number(n.precip_in) : ""},
            {"snow_in", given && n.has_snow ? csv_number(n.snow_in) : ""},
            {"gust_mph", whole_field(given && n.has_gust, n.gust_mph)},
            {"precip_type", given && n.precip_type >= 0 ? precip_type_names[n.precip_type] : ""},
            {"thunder_pct", whole_field(given && n.has_thunder, n.thunder_pct)},
            {"wind_chill_f", whole_field(given && n.has_wind_chill, n.wind_chill_f)},
            {"temperature_spread", whole_field(given && n.has_spread, n.spread)},
            {"temperature_station_min", whole_field(given && n.has_range, n.station_lowest)},
            {"temperature_station_max", whole_field(given && n.has_range, n.station_highest)},
        };
        for (const auto& field : fields)
            add_nbm_line(text, field.first, std::to_string(p.day), "", iso_time(p.start),
                         iso_time(p.end), field.second, "");
    }
    if (!f.given) return;
    for (int i = 0; i < nbm_hour_count; ++i) {
        utc_time valid{0, 0, 0, 0};
        const std::string at = nbm_valid_time(in, i, valid) ? iso_time(valid) : "";
        const std::string hour = std::to_string(nbm_hour(i));
        for (int e = 0; e < nbm_element_count; ++e) {
            const nbm_element_rule& rule = nbm_elements[e];
            const nbm_city_value& v = f.hour[i][e];
            const std::string key = std::string("nbm_") + rule.key;
            const std::string stations = v.exists ? std::to_string(v.stations) : "";
            auto number = [&](double x) {
                return v.exists ? csv_number(nbm_document_value(rule.unit, x)) : std::string();
            };
            // Degrees and percent stay the bulletins' whole numbers, as in the JSON.
            auto station = [&](std::int32_t x) {
                return rule.unit == nbm_unit::as_given ? whole_field(v.exists, x) : number(x);
            };
            add_nbm_line(text, key, "", hour, at, at, number(v.value), stations);
            if (rule.spread_row >= 0)
                add_nbm_line(text, key + "_spread", "", hour, at, at, number(v.spread), stations);
            add_nbm_line(text, key + "_min", "", hour, at, at, station(v.lowest), stations);
            add_nbm_line(text, key + "_max", "", hour, at, at, station(v.highest), stations);
        }
    }
}

std::string forecast_csv(const forecast_export_input& in) {
    // CRLF line ends, as the CSV format has them, so that any spreadsheet opens it.
    std::string text = "element,day,hour,valid_from,valid_to,value,first,second,stations\r\n";
    const city_forecast& forecast = *in.forecast;
    for (int d = 0; d < issued_days(forecast); ++d)
        for (int c = 0; c < day_column_count; ++c)
            add_line(text, day_columns[c].key, std::to_string(d + 1), "",
                     day_export_value(in, d, c));
    for (int r = 0; r < issued_rows(forecast); ++r)
        for (int q = 0; q < hour_quantity_count; ++q)
            add_line(text, hour_quantities[q].key, "", std::to_string(sky_wind_hour(r)),
                     hour_export_value(in, r, q));
    if (in.nbm) add_nbm_lines(text, in);
    if (forecast.extended) return text;
    // The short-range guidance alone: one line spans what is left out, with no value.
    const export_value first = day_export_value(in, short_days, 0),
                       last = day_export_value(in, forecast_days - 1, 1);
    text += std::string("extended_left_out,,,") + (first.timed ? iso_time(first.valid_from) : "") +
            ',' + (last.timed ? iso_time(last.valid_to) : "") + ",,,,0\r\n";
    return text;
}

void header_lines(std::istream& in, const bulletin_layout& layout, long long* lines) {
    std::vector<fault> at(static_cast<std::size_t>(layout.count));
    for (int k = 0; k < layout.count; ++k) at[k].position = layout.header[k].station_at;
    place_lines(in, at);
    for (int k = 0; k < bulletin_count; ++k) lines[k] = k < layout.count ? at[k].line : 0;
}
