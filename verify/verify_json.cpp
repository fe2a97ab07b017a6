#include "verify/verification.h"

#include "calendar/iso_date.h"
#include "export/json_number.h"

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
