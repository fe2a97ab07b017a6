#include "verify/verification.h"

#include <cmath>
#include <limits>
#include <map>
#include <set>

namespace {

const double none = std::numeric_limits<double>::quiet_NaN();

// Sums of one series' errors, in the order the pairs come.
struct error_sums {
    int pairs = 0;
    double sum = 0, absolute = 0, squared = 0;
    void add(double error) {
        ++pairs;
        sum += error;
        absolute += std::fabs(error);
        squared += error * error;
    }
    error_stats stats() const {
        if (pairs == 0) return {0, none, none};
        return {pairs, sum / pairs, absolute / pairs};
    }
    double rmse() const { return pairs == 0 ? none : std::sqrt(squared / pairs); }
};

// One forecast temperature beside what was observed.
struct verified_pair {
    int day; // 0-based
    bool high;
    forecast_temperature forecast;
    double observed;
};

// The model words, "NBM", or "NAM and NBM" when the documents differ.
std::string model_names(const std::set<std::string>& models) {
    std::string names;
    std::size_t k = 0;
    for (const std::string& m : models) {
        names += (k == 0 ? "" : k + 1 == models.size() ? " and " : ", ") + m;
        ++k;
    }
    return names;
}

long long issue_key(const utc_time& t) {
    return days_since_epoch(t) * 24 + t.hour;
}

double blend(double weight, const forecast_temperature& t) {
    return (weight * t.first) + ((1.0 - weight) * t.second);
}

} // namespace

void verify_forecasts(const std::vector<forecast_document>& documents,
                      const observed_days& observed, verification& result) {
    result = verification{};
    std::map<long long, const forecast_document*> by_issue;
    for (const forecast_document& doc : documents)
        if (doc.dated) by_issue[issue_key(doc.issued)] = &doc;

    std::vector<verified_pair> pairs;
    std::set<std::string> first_models, second_models;
    for (const auto& entry : by_issue) {
        const forecast_document& doc = *entry.second;
        if (result.forecasts == 0) {
            result.first_issued = doc.issued;
            result.lowest_weight = result.highest_weight = doc.eta_weight;
        }
        result.last_issued = doc.issued;
        result.lowest_weight = std::fmin(result.lowest_weight, doc.eta_weight);
        result.highest_weight = std::fmax(result.highest_weight, doc.eta_weight);
        ++result.forecasts;
        first_models.insert(doc.first_models.begin(), doc.first_models.end());
        second_models.insert(doc.second_models.begin(), doc.second_models.end());
        const long long issued_day = days_since_epoch(doc.issued);
        for (int d = 0; d < verified_days; ++d)
            for (bool high : {false, true}) {
                const forecast_temperature& t = high ? doc.high[d] : doc.low[d];
                double value = 0;
                if (std::isnan(t.issued) ||
                    !observed_city_value(observed, issued_day + d + 1, high, value))
                    continue;
                pairs.push_back({d, high, t, value});
            }
    }
    result.first_model = model_names(first_models);
    result.second_model = model_names(second_models);

    error_sums issued[2][verified_days], first[2][verified_days], second[2][verified_days];
    std::vector<double> e1, e2;
    for (const verified_pair& p : pairs) {
        const int k = p.high ? 1 : 0;
        issued[k][p.day].add(p.forecast.issued - p.observed);
        if (!std::isnan(p.forecast.first)) first[k][p.day].add(p.forecast.first - p.observed);
        if (!std::isnan(p.forecast.second)) second[k][p.day].add(p.forecast.second - p.observed);
        if (p.day < blended_days && !std::isnan(p.forecast.first) &&
            !std::isnan(p.forecast.second)) {
            e1.push_back(p.forecast.first - p.observed);
            e2.push_back(p.forecast.second - p.observed);
        }
    }
    result.all_pairs = static_cast<int>(pairs.size());

    weight_fit& fit = result.fit;
    fit.pairs = static_cast<int>(e1.size());
    fit.weight = none;
    fit.outcome = fit_weight(e1, e2, fit.weight);
    error_sums fitted[2][verified_days], at_weight, as_issued;
    for (const verified_pair& p : pairs) {
        if (p.day >= blended_days || std::isnan(p.forecast.first) || std::isnan(p.forecast.second))
            continue;
        as_issued.add(p.forecast.issued - p.observed);
        if (fit.outcome != fit_outcome::fitted) continue;
        const double error = blend(fit.weight, p.forecast) - p.observed;
        at_weight.add(error);
        fitted[p.high ? 1 : 0][p.day].add(error);
    }
    const bool fitted_weight = fit.outcome == fit_outcome::fitted;
    fit.mae = fitted_weight ? at_weight.stats().mae : none;
    fit.rmse = fitted_weight ? at_weight.rmse() : none;
    fit.issued_mae = as_issued.stats().mae;
    fit.issued_rmse = as_issued.rmse();

    for (int d = 0; d < verified_days; ++d) {
        result.low[d] = {issued[0][d].stats(), first[0][d].stats(), second[0][d].stats(),
                         fitted[0][d].stats()};
        result.high[d] = {issued[1][d].stats(), first[1][d].stats(), second[1][d].stats(),
                          fitted[1][d].stats()};
    }
}

fit_outcome fit_weight(const std::vector<double>& e1, const std::vector<double>& e2,
                       double& weight) {
    if (e1.size() < static_cast<std::size_t>(fewest_fit_pairs)) return fit_outcome::too_few_pairs;
    double num = 0, den = 0;
    for (std::size_t i = 0; i < e1.size(); ++i) {
        const double difference = e1[i] - e2[i];
        num += e2[i] * (e2[i] - e1[i]);
        den += difference * difference;
    }
    if (den == 0) return fit_outcome::any_weight;
    const double w = num / den;
    weight = w < 0 ? 0 : w > 1 ? 1 : w;
    return fit_outcome::fitted;
}
