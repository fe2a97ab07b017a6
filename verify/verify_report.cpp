#include "verify/verify_report.h"

#include "calendar/iso_date.h"
#include "export/json_number.h"

#include <cmath>
#include <cstdio>
#include <ostream>

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

void write_errors(std::ostream& out, const char* label, const std::string& mae,
                  const std::string& rmse) {
    char text[64];
    std::snprintf(text, sizeof text, "%-12s %5s %5s\n", label, mae.c_str(), rmse.c_str());
    out << text;
}

} // namespace

void write_verify_table(std::ostream& out, const verification& r) {
    char weights[64];
    if (r.lowest_weight == r.highest_weight)
        std::snprintf(weights, sizeof weights, "ETA weight %g", r.lowest_weight);
    else
        std::snprintf(weights, sizeof weights, "ETA weights %g to %g", r.lowest_weight,
                      r.highest_weight);
    out << "Verification of " << issued_period(r) << " with " << weights << "\n"
        << "first guidance " << r.first_model << ", second " << r.second_model
        << "; in °F, bias is forecast minus observed\n\n"
        << "                    issued       first      second\n"
        << "element day pairs  bias   MAE  bias   MAE  bias   MAE\n";
    for (int d = 0; d < verified_days; ++d) write_row(out, "low", d, r.low[d]);
    for (int d = 0; d < verified_days; ++d) write_row(out, "high", d, r.high[d]);

    const weight_fit& fit = r.fit;
    out << "\nETA weight fitted to the lows and highs of days 1 and 2 where both guidances have "
           "a value:\n";
    if (fit.outcome == fit_outcome::too_few_pairs) {
        out << fit.pairs << (fit.pairs == 1 ? " pair" : " pairs") << ", too few to fit a weight ("
            << fewest_fit_pairs << " are needed)\n";
        return;
    }
    if (fit.outcome == fit_outcome::any_weight) {
        out << "in all " << fit.pairs
            << " pairs both guidances erred alike: any weight does as well, so none is given\n";
        return;
    }
    const std::string w = weight_text(fit.weight);
    write_errors(out, "", "MAE", "RMSE");
    write_errors(out, ("weight " + w).c_str(), tenths(fit.mae), tenths(fit.rmse));
    write_errors(out, "issued", tenths(fit.issued_mae), tenths(fit.issued_rmse));
    out << "over " << fit.pairs << " forecasts of days 1 and 2 the weight " << w
        << " would have given a mean absolute error of " << tenths(fit.mae)
        << " °F (issued: " << tenths(fit.issued_mae) << " °F)\n";
}

using json = nlohmann::ordered_json;

static json stats_object(const error_stats& s) {
    json o;
    o["pairs"] = s.pairs;
    o["bias"] = json_number(s.bias);
    o["mae"] = json_number(s.mae);
    return o;
}

static json scores_object(const day_scores& s) {
    json o;
    o["issued"] = stats_object(s.issued);
    o["first"] = stats_object(s.first);
    o["second"] = stats_object(s.second);
    o["fitted"] = stats_object(s.fitted);
    return o;
}

static const char* outcome_name(fit_outcome outcome) {
    switch (outcome) {
    case fit_outcome::fitted:
        return "fitted";
    case fit_outcome::too_few_pairs:
        return "too few pairs";
    default:
        return "any weight";
    }
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
    json days = json::array();
    for (int d = 0; d < verified_days; ++d) {
        json day;
        day["day"] = d + 1;
        day["low"] = scores_object(r.low[d]);
        day["high"] = scores_object(r.high[d]);
        days.push_back(day);
    }
    doc["days"] = days;
    json fit;
    fit["outcome"] = outcome_name(r.fit.outcome);
    fit["pairs"] = r.fit.pairs;
    fit["weight"] = json_number(r.fit.weight);
    fit["mae"] = json_number(r.fit.mae);
    fit["rmse"] = json_number(r.fit.rmse);
    fit["issued_mae"] = json_number(r.fit.issued_mae);
    fit["issued_rmse"] = json_number(r.fit.issued_rmse);
    doc["fit"] = fit;
    // Model words come from documents and may hold any byte.
    return doc.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}
