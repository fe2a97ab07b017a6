#include "verify/forecast_document.h"

#include "calendar/iso_date.h"
#include "reading/places.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <istream>
#include <limits>

using json = nlohmann::json;

namespace {

const double none = std::numeric_limits<double>::quiet_NaN();
const forecast_temperature no_temperature = {
    none, none, none, {none, none, none, none}, {none, none, none, none}};
const std::size_t largest_document = 1024 * 1024;
// Far beyond any temperature, so that sums of many of them stay finite.
const double largest_temperature = 1e6;
// A document of the program nests six deep (a station's value in a day's low in "days");
// deeper is no forecast, and is refused before the library builds or prints it.
const int deepest_nesting = 8;
// Model words are three or four letters; a longer one is no model word.
const std::size_t longest_model_word = 8;

// A member's value as a refusal shows it: strings cut as every quoted word is, lists and
// objects by their kind alone.
std::string shown(const json& value) {
    if (value.is_string()) return quote_word(value.get<std::string>());
    if (value.is_array()) return "a list";
    if (value.is_object()) return "an object";
    return value.dump();
}

// The line of the first bracket that opens a list or object deeper than deepest_nesting,
// or 0 where none does. Brackets inside strings do not count.
long long too_deep_line(const std::string& text) {
    int depth = 0;
    long long line = 1;
    bool in_string = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n') ++line;
        if (in_string) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                in_string = false;
        } else if (c == '"') {
            in_string = true;
        } else if (c == '[' || c == '{') {
            if (++depth > deepest_nesting) return line;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return 0;
}

// The line of the byte at position (from 1) of text.
long long line_of(const std::string& text, std::size_t position) {
    long long line = 1;
    for (std::size_t i = 0; i + 1 < position && i < text.size(); ++i)
        line += text[i] == '\n' ? 1 : 0;
    return line;
}

// Where the library's parser stopped, for a fault it reports without a place (a number
// beyond the range of a double): the events are passed over, the position is kept.
struct error_place : nlohmann::json_sax<json> {
    std::size_t byte = 0;
    std::string token;
    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool string(string_t&) override { return true; }
    bool binary(binary_t&) override { return true; }
    bool start_object(std::size_t) override { return true; }
    bool key(string_t&) override { return true; }
    bool end_object() override { return true; }
    bool start_array(std::size_t) override { return true; }
    bool end_array() override { return true; }
    bool parse_error(std::size_t position, const std::string& last_token,
                     const nlohmann::detail::exception&) override {
        byte = position;
        token = last_token;
        return false;
    }
};

// The line of the count-th (from 1) member named key, or 0 where there is none: the
// library keeps no positions, and a document written by the program has each member on
// a line of its own. A quote inside a string is escaped, so "key": is always a member.
long long member_line(const std::string& text, const std::string& key, int count) {
    const std::string quoted = '"' + key + '"';
    std::size_t at = 0;
    while ((at = text.find(quoted, at)) != std::string::npos) {
        std::size_t after = at + quoted.size();
        while (after < text.size() && (text[after] == ' ' || text[after] == '\t' ||
                                       text[after] == '\n' || text[after] == '\r'))
            ++after;
        if (after < text.size() && text[after] == ':' && --count == 0) return line_of(text, at + 1);
        at += quoted.size();
    }
    return 0;
}

struct document_reader {
    const std::string& text;
    const std::string& file;
    fault& why;

    bool refuse(const std::string& what, const std::string& key, int count = 1) {
        why = fault{fault_kind::refused_input, what, file, member_line(text, key, count)};
        return false;
    }

    // A temperature member: a number, or null where there is none.
    bool temperature(const json& object, const char* name, const std::string& where,
                     const char* key, int day, double& value) {
        auto member = object.find(name);
        if (member == object.end())
            return refuse(where + " has no member \"" + name + "\"", key, day);
        if (member->is_null()) {
            value = none;
            return true;
        }
        if (!member->is_number() || !(std::fabs(member->get<double>()) <= largest_temperature))
            return refuse(where + " " + name + " " + shown(*member) + " is no temperature", key,
                          day);
        value = member->get<double>();
        return true;
    }

    // "station_values": {"first": {"KBKX": 22, ...}, "second": {...}}, each station a
    // number or null; "second" is absent where only one guidance forecasts.
    bool station_values(const json& values, const std::string& where, const char* key, int d,
                        forecast_temperature& t) {
        if (!values.is_object()) return refuse(where + " station_values is no object", key, d);
        for (const char* guidance : {"first", "second"}) {
            auto set = values.find(guidance);
            if (set == values.end()) continue;
            if (!set->is_object())
                return refuse(where + " station_values " + guidance + " is no object", key, d);
            double* into = guidance[0] == 'f' ? t.station_first : t.station_second;
            for (int s = 0; s < station_count; ++s)
                if (set->contains(station_ids[s]) &&
                    !temperature(*set, station_ids[s], where + " " + guidance, key, d, into[s]))
                    return false;
        }
        return true;
    }

    bool day_value(const json& day, const char* key, int d, forecast_temperature& t,
                   bool& has_station_values) {
        const std::string where = "day " + std::to_string(d) + " " + key;
        t = no_temperature;
        auto member = day.find(key);
        if (member == day.end())
            return refuse("day " + std::to_string(d) + " has no member \"" + key + "\"", "day", d);
        if (member->is_null()) return true;
        if (!member->is_object()) return refuse(where + " is no object", key, d);
        auto values = member->find("station_values");
        if (values != member->end()) {
            has_station_values = true;
            if (!station_values(*values, where, key, d, t)) return false;
        }
        return temperature(*member, "value", where, key, d, t.issued) &&
               temperature(*member, "first", where, key, d, t.first) &&
               temperature(*member, "second", where, key, d, t.second);
    }

    // The model words of bulletins first to first + 3, each once.
    bool model_words(const json& guidance, int first, std::vector<std::string>& models) {
        for (int bulletin = first; bulletin < first + 4; ++bulletin) {
            const json& g = guidance[static_cast<std::size_t>(bulletin - 1)];
            auto member = g.is_object() ? g.find("model") : g.end();
            if (!g.is_object() || member == g.end() || !member->is_string())
                return refuse("guidance " + std::to_string(bulletin) + " names no model",
                              "bulletin", bulletin);
            const std::string model = member->get<std::string>();
            if (model.size() > longest_model_word)
                return refuse("guidance " + std::to_string(bulletin) + " model " +
                                  quote_word(model) + " is no model word",
                              "model", bulletin);
            if (std::find(models.begin(), models.end(), model) == models.end())
                models.push_back(model);
        }
        return true;
    }

    bool read(const json& doc, forecast_document& out) {
        const char* const program = "vuzazav-cli ";
        auto p = doc.is_object() ? doc.find("program") : doc.end();
        if (p == doc.end() || !p->is_string() ||
            p->get<std::string>().compare(0, std::string(program).size(), program) != 0)
            return refuse("no forecast document of vuzazav-cli: its \"program\" is " +
                              (p == doc.end() ? std::string("missing") : shown(*p)),
                          "program");
        // Another run's document (the GFS run's has "rows") shares the program's name.
        for (const char* member : {"eta_weight", "days"})
            if (doc.find(member) == doc.end())
                return refuse(std::string("no forecast document of vuzazav-cli forecast: it has "
                                          "no \"") +
                                  member + "\"",
                              "program");
        auto weight = doc.find("eta_weight");
        if (weight == doc.end() || !weight->is_number())
            return refuse("\"eta_weight\" is no number", "eta_weight");
        out.eta_weight = weight->get<double>();
        auto issued = doc.find("issued");
        if (issued == doc.end()) return refuse("has no member \"issued\"", "program");
        out.dated = !issued->is_null();
        if (out.dated &&
            (!issued->is_string() || !parse_iso_time(issued->get<std::string>(), out.issued)))
            return refuse("\"issued\" " + shown(*issued) + " is no real time such as " +
                              "\"2026-12-09T12:00:00Z\"",
                          "issued");
        // A forecast of the short-range guidance alone has bulletins 1 to 8 and days 1
        // and 2; its other days have no value to verify.
        auto short_range = doc.find("short_range_only");
        const bool short_only = short_range != doc.end() && *short_range == true;
        const std::size_t bulletins = short_only ? 8 : 12;
        const int days_given = short_only ? blended_days : verified_days;
        auto guidance = doc.find("guidance");
        if (guidance == doc.end() || !guidance->is_array() || guidance->size() != bulletins)
            return refuse(short_only ? "\"guidance\" is no list of bulletins 1 to 8"
                                     : "\"guidance\" is no list of the twelve bulletins",
                          "guidance");
        if (!model_words(*guidance, 1, out.first_models) ||
            !model_words(*guidance, 5, out.second_models))
            return false;
        auto days = doc.find("days");
        if (days == doc.end() || !days->is_array() ||
            days->size() != static_cast<std::size_t>(days_given))
            return refuse(short_only ? "\"days\" is no list of days 1 and 2"
                                     : "\"days\" is no list of seven days",
                          "days");
        for (int d = days_given; d < verified_days; ++d) out.low[d] = out.high[d] = no_temperature;
        for (int d = 1; d <= days_given; ++d) {
            const json& day = (*days)[static_cast<std::size_t>(d - 1)];
            auto number = day.is_object() ? day.find("day") : day.end();
            if (!day.is_object() || number == day.end() || *number != d)
                return refuse("day " + std::to_string(d) + " of \"days\" is not numbered " +
                                  std::to_string(d),
                              "day", d);
            // Each day is dated from the issued time; a document that says otherwise was
            // edited, and would be verified against another day than it shows.
            auto date = day.find("date");
            utc_time when{0, 0, 0, 0};
            const bool has_date = date != day.end() && !date->is_null();
            if (has_date && (!date->is_string() || !parse_iso_date(date->get<std::string>(), when)))
                return refuse("day " + std::to_string(d) + " \"date\" " + shown(*date) +
                                  " is no real date",
                              "day", d);
            if (has_date && out.dated && days_since_epoch(when) != days_since_epoch(out.issued) + d)
                return refuse("day " + std::to_string(d) + " is dated " + shown(*date) +
                                  ", not the day " + std::to_string(d) + " after \"issued\"",
                              "day", d);
            if (!day_value(day, "low_temp", d, out.low[d - 1], out.station_values) ||
                !day_value(day, "high_temp", d, out.high[d - 1], out.station_values))
                return false;
        }
        return true;
    }
};

} // namespace

bool read_forecast_document(std::istream& in, const std::string& file, forecast_document& doc,
                            fault& why) {
    // A document of the program is some 32 KB; far beyond that is no forecast, and is not
    // held in memory whole.
    std::string text;
    char chunk[64 * 1024];
    while (text.size() <= largest_document && in.read(chunk, sizeof chunk).gcount() > 0)
        text.append(chunk, static_cast<std::size_t>(in.gcount()));
    if (text.size() > largest_document) {
        why = fault{fault_kind::refused_input,
                    "no forecast document of vuzazav-cli: it is larger than " +
                        std::to_string(largest_document / (1024 * 1024)) + " MiB",
                    file, 0};
        return false;
    }
    if (const long long line = too_deep_line(text)) {
        why = fault{fault_kind::refused_input,
                    "no forecast document of vuzazav-cli: lists and objects nest deeper than " +
                        std::to_string(deepest_nesting),
                    file, line};
        return false;
    }
    json parsed;
    try {
        parsed = json::parse(text);
    } catch (const json::parse_error& e) {
        // The library's message names its own position; the line says it for the user.
        // and what it last read may be any bytes: neither goes to the user.
        std::string what = e.what();
        const std::string::size_type reason = what.find(": syntax error");
        what = reason == std::string::npos ? std::string() : what.substr(reason);
        what = what.substr(0, what.find("; last read"));
        why = fault{fault_kind::refused_input, "no JSON document" + what, file,
                    line_of(text, e.byte)};
        return false;
    } catch (const json::out_of_range&) {
        // A number such as 1e999, which no double holds: its place from a second pass.
        error_place place;
        json::sax_parse(text, &place);
        // The parser has read a character past the number: its line is where it begins.
        const std::size_t start = text.rfind(place.token, place.byte);
        why = fault{fault_kind::refused_input,
                    "no JSON document: a number is beyond the range of a double", file,
                    line_of(text, start == std::string::npos ? place.byte : start + 1)};
        return false;
    } catch (const json::exception&) {
        why = fault{fault_kind::refused_input, "no JSON document", file, 0};
        return false;
    }
    doc = forecast_document{};
    document_reader reader{text, file, why};
    return reader.read(parsed, doc);
}
