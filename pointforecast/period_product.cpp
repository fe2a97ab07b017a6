#include "pointforecast/period_product.h"

#include "calendar/local_time.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

static const std::size_t line_width = 80;

// text broken at blanks into lines of at most line_width characters, the first after
// first_indent, the others after indent; a word longer than a line stands alone.
static std::string wrapped(const std::string& text, const std::string& first_indent,
                           const std::string& indent) {
    std::string out, line = first_indent;
    std::size_t at = 0;
    bool line_empty = true;
    while (at < text.size()) {
        std::size_t end = text.find(' ', at);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(at, end - at);
        at = end + 1;
        if (word.empty()) continue;
        if (!line_empty && line.size() + 1 + word.size() > line_width) {
            out += line + "\n";
            line = indent;
            line_empty = true;
        }
        line += (line_empty ? "" : " ") + word;
        line_empty = false;
    }
    return out + line + "\n";
}

// The product is ASCII: any other byte a header word brought in becomes '?'.
static std::string in_ascii(std::string text) {
    for (char& c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\n') || u >= 0x7f) c = '?';
    }
    return text;
}

std::string guidance_line(const bulletin_layout& layout) {
    std::string line;
    for (int g = 0; g < layout.count / station_count; ++g) {
        const std::string words = group_words(layout, g, [](const bulletin_header& h) {
            return h.model + (h.version.empty() ? "" : " " + h.version) + " " + h.kind[0];
        });
        const bulletin_header& first = layout.header[g * station_count];
        line += (g ? ", " : "") + words + " " + first.cycle + " UTC";
        if (g == 0) line += " " + first.date_word;
    }
    return line;
}

// A weight with as few decimals as show it, two at least: 0.7 is "0.70", 0.725 "0.725".
static std::string weight_text(double weight) {
    char text[64];
    for (int decimals = 2; decimals <= 6; ++decimals) {
        std::snprintf(text, sizeof text, "%.*f", decimals, weight);
        if (std::fabs(std::strtod(text, nullptr) - weight) < 1e-9) break;
    }
    return text;
}

std::string weight_line(const bulletin_layout& layout, double eta_weight) {
    return guidance_label(layout, 0) + " " + weight_text(eta_weight) + ", " +
           guidance_label(layout, 1) + " " + weight_text(1.0 - eta_weight);
}

std::string local_time_text(const utc_time& time) {
    const utc_time local = city_time(time).clock;
    return clock_hour(local.hour) + " " + weekday_abbreviation(local) + " " +
           month_abbreviation(local.month) + " " + std::to_string(local.day);
}

// "6 PM Thu Mar 4 to 6 AM Fri Mar 5 CST", "6 AM to 6 PM Fri Mar 5 CST"; each end with its
// own zone where they differ.
static std::string period_times(const forecast_period& p) {
    const local_time start = city_time(p.start), end = city_time(p.end);
    if (start.utc_offset != end.utc_offset)
        return local_time_text(p.start) + " " + zone_name(start) + " to " + local_time_text(p.end) +
               " " + zone_name(end);
    if (same_day(start.clock, end.clock))
        return clock_hour(start.clock.hour) + " to " + local_time_text(p.end) + " " +
               zone_name(end);
    return local_time_text(p.start) + " to " + local_time_text(p.end) + " " + zone_name(end);
}

// The guidance a value comes from alone, where it does not blend both.
static std::string alone(const period_value& v) {
    if (v.source == period_source::second) return v.second.guidance;
    return v.source == period_source::blend ? "" : v.first.guidance;
}

static std::string capitalised(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = static_cast<char>(text[0] - 32);
    return text;
}

static std::string fixed(double value, int decimals) {
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// The NBM's amounts, kind of precipitation, gusts and wind chill of a period, in
// sentences; empty where it has none of them.
static std::string nbm_sentences(const nbm_period& n) {
    const std::string type = n.precip_type >= 0 ? precip_type_names[n.precip_type] : "";
    std::string amounts;
    if (n.has_precip)
        amounts =
            "precip " + fixed(n.precip_in, 2) + " in" + (type.empty() ? "" : " (" + type + ")");
    else if (!type.empty())
        amounts = type;
    if (n.has_snow)
        amounts += (amounts.empty() ? "" : ", ") + ("snow " + fixed(n.snow_in, 1)) + " in";
    std::string text = amounts.empty() ? "" : capitalised(amounts) + ". ";
    if (n.has_gust) text += "Gusts to " + std::to_string(n.gust_mph) + " mph. ";
    if (n.has_wind_chill) text += "Wind chill " + std::to_string(n.wind_chill_f) + ".";
    return text;
}

static std::string period_block(const forecast_period& p, const nbm_period* nbm) {
    // A period whose values all come from one guidance alone (days 3 to 7) says so once.
    std::string common;
    bool one_source = true;
    for (const period_value& v : p.values)
        if (v.exists) {
            if (alone(v).empty() || (!common.empty() && alone(v) != common)) one_source = false;
            common = alone(v);
        }
    if (!one_source) common.clear();
    std::string block =
        wrapped(p.name + ": " + period_times(p) + (common.empty() ? "" : " (" + common + " alone)"),
                "", "    ");
    auto note = [&common](const period_value& v) {
        return common.empty() && !alone(v).empty() ? " (" + alone(v) + " alone)" : std::string();
    };
    const period_value &t = p.values[temperature_element], &dew = p.values[dew_point_element],
                       &pop = p.values[pop_element];
    std::string values;
    const bool spread = nbm && nbm->given && nbm->has_spread;
    if (t.exists)
        values += (p.night ? "Low " : "High ") + std::to_string(t.value) +
                  (spread ? " +/-" + std::to_string(nbm->spread) : "") + note(t) + ". ";
    if (dew.exists) values += "Dew point " + std::to_string(dew.value) + note(dew) + ". ";
    if (pop.exists)
        values += "Precipitation chance " + std::to_string(pop.value) + "% over " +
                  std::to_string(p.pop_hours) + " hours" + note(pop) + ".";
    if (!values.empty()) block += wrapped(values, "    ", "    ");
    std::string sky_wind;
    if (p.sky) sky_wind += capitalised(p.sky) + ". ";
    if (p.wind.exists)
        sky_wind += p.wind.point < 0 ? std::string("Wind calm.")
                                     : "Wind " + std::string(compass_point_name(p.wind.point)) +
                                           " " + std::to_string(p.wind.speed_mph) + " mph.";
    if (!sky_wind.empty()) block += wrapped(sky_wind, "    ", "    ");
    const std::string winter = nbm && nbm->given ? nbm_sentences(*nbm) : "";
    if (!winter.empty()) block += wrapped(winter, "    ", "    ");
    return block;
}

namespace {

// One line of the evidence table.
struct evidence_row {
    std::string label, guidance, stations[station_count], city, issued;
};

void add_guidance(std::vector<evidence_row>& rows, const std::string& label,
                  const guidance_evidence& g, const std::string& issued) {
    if (!g.given) return;
    evidence_row row{label, g.guidance, {}, "M", issued};
    for (int s = 0; s < station_count; ++s)
        row.stations[s] = g.present[s] ? std::to_string(g.values[s]) : "M";
    if (std::isfinite(g.city)) row.city = fixed(g.city, 1);
    rows.push_back(row);
}

std::string padded(const std::string& text, std::size_t width, bool right) {
    if (text.size() >= width) return text;
    const std::string pad(width - text.size(), ' ');
    return right ? pad + text : text + pad;
}

} // namespace

static std::string evidence_table(const std::vector<forecast_period>& periods) {
    std::vector<evidence_row> rows;
    for (const forecast_period& p : periods)
        for (int e : {temperature_element, pop_element}) {
            const period_value& v = p.values[e];
            if (!v.exists) continue;
            const std::string label =
                p.name + (e == pop_element ? " PoP " + std::to_string(p.pop_hours) + "h"
                                           : (p.night ? " low" : " high"));
            const std::string issued = std::to_string(v.value);
            add_guidance(rows, label, v.first, issued);
            add_guidance(rows, v.first.given ? "" : label, v.second, v.first.given ? "" : issued);
        }
    std::size_t label_width = 16, guidance_width = 8;
    for (const evidence_row& r : rows) {
        label_width = std::max(label_width, r.label.size() + 2);
        guidance_width = std::max(guidance_width, r.guidance.size() + 2);
    }
    const std::size_t station_width = 5, number_width = 7;
    auto line = [&](const evidence_row& r) {
        std::string text =
            padded(r.label, label_width, false) + padded(r.guidance, guidance_width, false);
        for (const std::string& s : r.stations) text += padded(s, station_width, true);
        text += padded(r.city, number_width + 1, true) + padded(r.issued, number_width, true);
        while (!text.empty() && text.back() == ' ') text.pop_back();
        return text + "\n";
    };
    evidence_row head{"Period", "Guidance", {}, "City", "Issued"};
    for (int s = 0; s < station_count; ++s) head.stations[s] = station_ids[s];
    std::string table = line(head);
    for (const evidence_row& r : rows) table += line(r);
    return table;
}

std::string period_product(const loaded_bulletins& loaded, double eta_weight,
                           const std::vector<forecast_period>& periods, const nbm_forecast* nbm) {
    const local_time issued = city_time(loaded.issued);
    std::string text = "Point forecast for the City of Vuzazav\n";
    text += wrapped("Issued " + clock_hour(issued.clock.hour) + " " + zone_name(issued) + " " +
                        weekday_abbreviation(issued.clock) + " " +
                        month_abbreviation(issued.clock.month) + " " +
                        std::to_string(issued.clock.day) + " " + std::to_string(issued.clock.year) +
                        " (" + loaded.layout.header[0].cycle + " UTC " +
                        loaded.layout.header[0].date_word + ")",
                    "", "    ");
    text += wrapped("Guidance: " + guidance_line(loaded.layout), "", "    ");
    text += wrapped("Weight: " + weight_line(loaded.layout, eta_weight), "", "    ");
    if (loaded.layout.count < bulletin_count)
        text += "Short-range guidance only: no extended guidance, days 3 to 7 left out.\n";
    std::string absent;
    for (int k = 0; k < loaded.layout.count; ++k)
        if (loaded.layout.absent[k])
            absent += (absent.empty() ? "" : ", ") + std::string(station_ids[station_of(k)]) + " " +
                      guidance_label(loaded.layout, group_of(k));
    if (!absent.empty())
        text += wrapped("Absent bulletins: " + absent + "; their values are missing.", "", "    ");
    text += "Temperatures and dew points in degrees F, chances of precipitation in\n"
            "percent, wind in mph.\n";
    if (nbm && nbm->given)
        text += wrapped("Precipitation (precip) and snow in inches, gusts in mph, the lowest "
                        "wind chill in degrees F and the spread (+/-) of a low or high are the "
                        "NBM's alone, through day 2.",
                        "", "");
    else if (nbm)
        text += std::string(nbm_absent_text) + "\n";
    text += "\n";
    for (std::size_t i = 0; i < periods.size(); ++i)
        text +=
            period_block(periods[i], nbm && i < nbm->periods.size() ? &nbm->periods[i] : nullptr);
    text += "\nEvidence: each station's value of each guidance (M: missing), each\n"
            "guidance's city value and the value issued.\n\n";
    text += evidence_table(periods);
    std::vector<const period_flag*> flags;
    for (const forecast_period& p : periods)
        for (const period_flag& f : p.flags) flags.push_back(&f);
    if (flags.empty()) return in_ascii(text + "\nFlags: none.\n");
    text += "\nFlags (the numbers above stand as the guidance gives them):\n";
    for (const period_flag* f : flags) text += wrapped(f->text, "  ", "      ");
    return in_ascii(text);
}
