#include "verify/verify_report.h"

#include "calendar/iso_date.h"
#include "export/json_number.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <sstream>

using json = nlohmann::ordered_json;

std::string issued_period(const verification& r) {
    const std::string first = iso_date(r.first_issued), last = iso_date(r.last_issued);
    return std::to_string(r.forecasts) + (r.forecasts == 1 ? " forecast" : " forecasts") +
           " issued " + (first == last ? first : first + " to " + last);
}

namespace {

// A temperature with one decimal; "-" where there is none, and never "-0.0".
std::string tenths(double x) {
    if (std::isnan(x)) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", x);
    return std::string(text) == "-0.0" ? "0.0" : text;
}

std::string weight_text(double w) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", w);
    return text;
}

std::string count_of(long long n, const char* one, const char* many) {
    return with_thousands(n) + " " + (n == 1 ? one : many);
}

// The first guidance's weight by its model word: "NBM weight".
std::string weight_name(const verification& r) {
    return (r.first_model.empty() ? std::string("first-guidance") : r.first_model) + " weight";
}

std::string stats_columns(const error_stats& s) {
    char text[32];
    std::snprintf(text, sizeof text, " %5s %5s", tenths(s.bias).c_str(), tenths(s.mae).c_str());
    return text;
}

void write_row(std::ostream& out, const char* element, int d, const day_scores& s) {
    char head[32];
    std::snprintf(head, sizeof head, "%-7s %3d %5d", element, d + 1, s.issued.pairs);
    out << head << stats_columns(s.issued);
    if (d < blended_days) {
        out << stats_columns(s.first) << stats_columns(s.second);
        // Where a guidance lacks values the blend has, its scores rest on fewer pairs.
        if (s.first.pairs != s.issued.pairs || s.second.pairs != s.issued.pairs)
            out << "  (first " << s.first.pairs << ", second " << s.second.pairs << " pairs)";
    }
    out << '\n';
}

void write_station_rows(std::ostream& out, const verification& r) {
    bool any = false;
    for (int s = 0; s < station_count; ++s)
        for (int k = 0; k < 2; ++k)
            for (int d = 0; d < verified_days; ++d) {
                const station_scores& sc = k == 0 ? r.station_low[s][d] : r.station_high[s][d];
                if (sc.first.pairs == 0 && sc.second.pairs == 0) continue;
                if (!any)
                    out << "\nby station, each guidance's own value against the station's "
                           "observation:\n"
                        << "                            first      second\n"
                        << "station element day pairs  bias   MAE  bias   MAE\n";
                any = true;
                char head[48];
                const int pairs = std::max(sc.first.pairs, sc.second.pairs);
                std::snprintf(head, sizeof head, "%-7s %-7s %3d %5d", station_ids[s],
                              k == 0 ? "low" : "high", d + 1, pairs);
                out << head << stats_columns(sc.first);
                if (d < blended_days) out << stats_columns(sc.second);
                if (d < blended_days && sc.first.pairs != sc.second.pairs)
                    out << "  (first " << sc.first.pairs << ", second " << sc.second.pairs
                        << " pairs)";
                out << '\n';
            }
}

void write_errors(std::ostream& out, const std::string& label, const std::string& mae,
                  const std::string& rmse) {
    char text[64];
    std::snprintf(text, sizeof text, "%-12s %5s %5s\n", label.c_str(), mae.c_str(), rmse.c_str());
    out << text;
}

// "keep the NBM weight 0.70: ..." or "move the NBM weight from 0.70 toward 0.96: ...".
std::string advice(const verification& r, const weight_fit& fit) {
    const std::string issued = weight_text(r.issued_weight);
    if (fit.move)
        return "move the " + weight_name(r) + " from " + issued + " toward " +
               weight_text(fit.weight) + ": over these pairs it would have lowered the mean " +
               "absolute error by " + tenths(fit.issued_mae - fit.mae) + " °F";
    std::string why = r.issued_weight >= fit.low && r.issued_weight <= fit.high
                          ? "it lies inside the interval"
                          : "the fitted weight would not have lowered the mean absolute error";
    return "keep the " + weight_name(r) + " " + issued + ": " + why;
}

std::string interval_text(const weight_fit& fit) {
    if (std::isnan(fit.low)) return "no resample could be fitted";
    return weight_text(fit.low) + " to " + weight_text(fit.high);
}

// Why a fit gave no weight, or false where it gave one.
bool write_no_fit(std::ostream& out, const weight_fit& fit) {
    if (fit.outcome == fit_outcome::too_few_pairs) {
        out << count_of(fit.pairs, "pair", "pairs") << ", too few to fit a weight ("
            << fewest_fit_pairs << " are needed)\n";
        return true;
    }
    if (fit.outcome == fit_outcome::any_weight) {
        out << "in all " << fit.pairs
            << " pairs both guidances erred alike: any weight does as well, so none is given\n";
        return true;
    }
    return false;
}

void write_fit(std::ostream& out, const verification& r) {
    const weight_fit& fit = r.fit;
    out << '\n'
        << weight_name(r)
        << " fitted to the lows and highs of days 1 and 2 where both guidances have a value:\n";
    if (write_no_fit(out, fit)) return;
    const std::string w = weight_text(fit.weight);
    write_errors(out, "", "MAE", "RMSE");
    write_errors(out, "weight " + w, tenths(fit.mae), tenths(fit.rmse));
    write_errors(out, "equal 0.50", tenths(fit.equal_mae), tenths(fit.equal_rmse));
    write_errors(out, "issued", tenths(fit.issued_mae), tenths(fit.issued_rmse));
    out << "90 % interval of the weight: " << interval_text(fit) << " ("
        << with_thousands(bootstrap_resamples) << " resamples of the "
        << count_of(fit.forecasts, "forecast", "forecasts") << ")\n"
        << "over " << count_of(fit.pairs, "pair", "pairs") << " of "
        << count_of(fit.forecasts, "forecast", "forecasts") << " (days 1 and 2) the weight " << w
        << " would have given a mean absolute error of " << tenths(fit.mae)
        << " °F (issued: " << tenths(fit.issued_mae) << " °F)\n"
        << "advice: " << advice(r, fit) << '\n';
    if (!r.by_day) return;
    for (int d = 0; d < blended_days; ++d) {
        const weight_fit& f = r.day_fit[d];
        out << "day " << d + 1 << " alone: ";
        if (write_no_fit(out, f)) continue;
        out << "weight " << weight_text(f.weight) << ", 90 % interval " << interval_text(f)
            << ", over " << count_of(f.pairs, "pair", "pairs") << " of "
            << count_of(f.forecasts, "forecast", "forecasts") << ": MAE " << tenths(f.mae)
            << " °F (equal 0.50: " << tenths(f.equal_mae) << " °F, issued: " << tenths(f.issued_mae)
            << " °F)\n";
    }
}

// Where the observed values come from, as every output labels them.
std::string sources_text(const verification& r) {
    const int daily = r.all_pairs - r.hourly_pairs;
    std::string text;
    if (r.hourly_pairs > 0)
        text = count_of(r.hourly_pairs, "pair", "pairs") +
               " over the guidance's windows from hourly readings (lows 7 PM to 8 AM, highs 7 AM "
               "to 7 PM CST)";
    if (daily > 0)
        text += (text.empty() ? "" : "; ") + count_of(daily, "pair", "pairs") +
                " on calendar-day extremes of daily summaries (midnight to midnight CST)";
    return text;
}

json stats_object(const error_stats& s) {
    json o;
    o["pairs"] = s.pairs;
    o["bias"] = json_number(s.bias);
    o["mae"] = json_number(s.mae);
    return o;
}

json scores_object(const day_scores& s) {
    json o;
    o["issued"] = stats_object(s.issued);
    o["first"] = stats_object(s.first);
    o["second"] = stats_object(s.second);
    o["fitted"] = stats_object(s.fitted);
    return o;
}

const char* outcome_name(fit_outcome outcome) {
    switch (outcome) {
    case fit_outcome::fitted:
        return "fitted";
    case fit_outcome::too_few_pairs:
        return "too few pairs";
    default:
        return "any weight";
    }
}

json weight_object(const verification& r, const weight_fit& fit) {
    const bool fitted = fit.outcome == fit_outcome::fitted;
    json o;
    o["fitted"] = json_number(fit.weight);
    o["interval"] = {json_number(fit.low), json_number(fit.high)};
    o["issued"] = json_number(r.issued_weight);
    o["pairs"] = fit.pairs;
    o["forecasts"] = fit.forecasts;
    o["mae"] = {{"fitted", json_number(fit.mae)},
                {"issued", json_number(fit.issued_mae)},
                {"equal", json_number(fit.equal_mae)}};
    o["rmse"] = {{"fitted", json_number(fit.rmse)},
                 {"issued", json_number(fit.issued_rmse)},
                 {"equal", json_number(fit.equal_rmse)}};
    o["advice"] = fitted ? json(fit.move ? "move" : "keep") : json(nullptr);
    return o;
}

const char* place_name(int place) {
    return place < 0 ? "city" : station_ids[place];
}

std::string window_time(long long minute) {
    return iso_time(add_hours(utc_time{1970, 1, 1, 0}, minute / 60));
}

} // namespace

void write_verify_table(std::ostream& out, const verification& r) {
    char weights[64];
    if (r.lowest_weight == r.highest_weight)
        std::snprintf(weights, sizeof weights, " %g", r.lowest_weight);
    else
        std::snprintf(weights, sizeof weights, "s %g to %g", r.lowest_weight, r.highest_weight);
    out << "Verification of " << issued_period(r) << " with " << weight_name(r) << weights << "\n"
        << "first guidance " << r.first_model << ", second " << r.second_model
        << "; in °F, bias is forecast minus observed\n"
        << "observed: " << sources_text(r) << "\n\n"
        << "                    issued       first      second\n"
        << "element day pairs  bias   MAE  bias   MAE  bias   MAE\n";
    for (int d = 0; d < verified_days; ++d) write_row(out, "low", d, r.low[d]);
    for (int d = 0; d < verified_days; ++d) write_row(out, "high", d, r.high[d]);
    write_station_rows(out, r);
    write_fit(out, r);
}

std::string verify_json(const verification& r, const std::string& program) {
    json doc;
    doc["program"] = program;
    doc["forecasts"] = r.forecasts;
    doc["first_issued"] = iso_time(r.first_issued);
    doc["last_issued"] = iso_time(r.last_issued);
    doc["eta_weights"] = {{"lowest", json_number(r.lowest_weight)},
                          {"highest", json_number(r.highest_weight)}};
    doc["first_guidance"] = r.first_model;
    doc["second_guidance"] = r.second_model;
    doc["pairs"] = r.all_pairs;
    doc["observed"] = {{"hourly_windows", r.hourly_pairs},
                       {"calendar_day_extremes", r.all_pairs - r.hourly_pairs}};
    json days = json::array();
    for (int d = 0; d < verified_days; ++d) {
        json day;
        day["day"] = d + 1;
        day["low"] = scores_object(r.low[d]);
        day["high"] = scores_object(r.high[d]);
        days.push_back(day);
    }
    doc["days"] = days;
    json stations = json::array();
    for (int s = 0; s < station_count; ++s) {
        json station, station_days = json::array();
        station["station"] = station_ids[s];
        for (int d = 0; d < verified_days; ++d)
            station_days.push_back({{"day", d + 1},
                                    {"low",
                                     {{"first", stats_object(r.station_low[s][d].first)},
                                      {"second", stats_object(r.station_low[s][d].second)}}},
                                    {"high",
                                     {{"first", stats_object(r.station_high[s][d].first)},
                                      {"second", stats_object(r.station_high[s][d].second)}}}});
        station["days"] = station_days;
        stations.push_back(station);
    }
    doc["stations"] = stations;
    json fit;
    fit["outcome"] = outcome_name(r.fit.outcome);
    fit["pairs"] = r.fit.pairs;
    fit["weight"] = json_number(r.fit.weight);
    fit["mae"] = json_number(r.fit.mae);
    fit["rmse"] = json_number(r.fit.rmse);
    fit["issued_mae"] = json_number(r.fit.issued_mae);
    fit["issued_rmse"] = json_number(r.fit.issued_rmse);
    doc["fit"] = fit;
    doc["weight"] = weight_object(r, r.fit);
    if (r.by_day) {
        json by_day = json::array();
        for (int d = 0; d < blended_days; ++d) {
            json one = weight_object(r, r.day_fit[d]);
            one["day"] = d + 1;
            by_day.push_back(one);
        }
        doc["weight_by_day"] = by_day;
    }
    // Model words come from documents and may hold any byte.
    std::string text = doc.dump(2, ' ', false, json::error_handler_t::replace);
    // A year's pairs would take tens of megabytes as one tree: each is written on its own,
    // laid out as the library lays out a list.
    text.erase(text.size() - 2);
    text += ",\n  \"pair_list\": [";
    for (std::size_t i = 0; i < r.pair_list.size(); ++i) {
        const verified_pair& p = r.pair_list[i];
        const json one = {
            {"issued", iso_time(p.issued)},
            {"day", p.day},
            {"element", p.high ? "high" : "low"},
            {"place", place_name(p.place)},
            {"observed", json_number(p.observed.value)},
            {"window_start", window_time(p.observed.from)},
            {"window_end", window_time(p.observed.to)},
            {"source", p.observed.source == observed_source::hourly ? "hourly" : "daily"},
            {"first", json_number(p.first)},
            {"second", json_number(p.second)},
            {"issued_value", json_number(p.issued_value)}};
        std::string laid = one.dump(2);
        for (std::size_t at = 0; (at = laid.find('\n', at)) != std::string::npos; at += 5)
            laid.replace(at, 1, "\n    ");
        text += (i == 0 ? "\n    " : ",\n    ") + laid;
    }
    return text + (r.pair_list.empty() ? "]" : "\n  ]") + "\n}\n";
}

std::string pairs_csv(const verification& r) {
    std::string text = "issued,day,element,place,observed,window_start,window_end,source,first,"
                       "second,issued_value\n";
    for (const verified_pair& p : r.pair_list)
        text += iso_time(p.issued) + "," + std::to_string(p.day) + "," + (p.high ? "high" : "low") +
                "," + place_name(p.place) + "," + csv_number(p.observed.value) + "," +
                window_time(p.observed.from) + "," + window_time(p.observed.to) + "," +
                (p.observed.source == observed_source::hourly ? "hourly" : "daily") + "," +
                csv_number(p.first) + "," + csv_number(p.second) + "," +
                csv_number(p.issued_value) + "\n";
    return text;
}

std::string verif_text(const verification& r, verif_forecast forecast) {
    std::string text = "date leadtime location lat lon altitude obs fcst\n";
    const place_location city = city_location();
    for (const verified_pair& p : r.pair_list) {
        const double value = forecast == verif_forecast::issued  ? p.issued_value
                             : forecast == verif_forecast::first ? p.first
                                                                 : p.second;
        if (std::isnan(value)) continue;
        long long from = 0, to = 0;
        guidance_window(days_since_epoch(p.issued) + p.day, p.high, from, to);
        const long long issued_minute = hours_since_epoch(p.issued) * 60;
        const place_location& at = p.place < 0 ? city : station_locations[p.place];
        text += compact_date(p.issued) + " " + std::to_string((to - issued_minute) / 60) + " " +
                std::to_string(p.place + 1) + " " + csv_number(at.latitude) + " " +
                csv_number(at.longitude) + " " + csv_number(at.altitude) + " " +
                csv_number(p.observed.value) + " " + csv_number(value) + "\n";
    }
    return text;
}
