#include "verify/verification.h"

#include <algorithm>
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

double blend(double weight, const verified_pair& p) {
    return (weight * p.first) + ((1.0 - weight) * p.second);
}

// Whether a pair enters the fit: the city's, of days 1 and 2, with both guidances.
bool fitted_pair(const verified_pair& p) {
    return p.place < 0 && p.day <= blended_days && !std::isnan(p.first) && !std::isnan(p.second);
}

// The fit over pairs (all of one place and of the days fitted), with its interval from
// resampling whole forecasts and the advice against issued_weight.
weight_fit fit_over(const std::vector<const verified_pair*>& pairs, double issued_weight) {
    weight_fit fit{};
    fit.pairs = static_cast<int>(pairs.size());
    fit.weight = fit.low = fit.high = none;
    std::vector<double> e1, e2;
    // The pairs of each forecast, for resampling forecasts whole.
    std::vector<std::vector<std::size_t>> of_forecast;
    int forecast = -1;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const double observed = pairs[i]->observed.value;
        e1.push_back(pairs[i]->first - observed);
        e2.push_back(pairs[i]->second - observed);
        if (pairs[i]->forecast != forecast) of_forecast.emplace_back();
        forecast = pairs[i]->forecast;
        of_forecast.back().push_back(i);
    }
    fit.forecasts = static_cast<int>(of_forecast.size());
    fit.outcome = fit_weight(e1, e2, fit.weight);
    error_sums at_weight, equal, issued;
    for (const verified_pair* p : pairs) {
        issued.add(p->issued_value - p->observed.value);
        equal.add(blend(0.5, *p) - p->observed.value);
        if (fit.outcome == fit_outcome::fitted)
            at_weight.add(blend(fit.weight, *p) - p->observed.value);
    }
    fit.issued_mae = issued.stats().mae;
    fit.issued_rmse = issued.rmse();
    fit.equal_mae = equal.stats().mae;
    fit.equal_rmse = equal.rmse();
    fit.mae = fit.rmse = none;
    if (fit.outcome != fit_outcome::fitted) return fit;
    fit.mae = at_weight.stats().mae;
    fit.rmse = at_weight.rmse();

    std::vector<double> weights, r1, r2;
    unsigned long long state = bootstrap_seed;
    const unsigned long long n = of_forecast.size();
    for (int b = 0; b < bootstrap_resamples; ++b) {
        r1.clear();
        r2.clear();
        for (unsigned long long k = 0; k < n; ++k)
            for (std::size_t i : of_forecast[next_random(state) % n]) {
                r1.push_back(e1[i]);
                r2.push_back(e2[i]);
            }
        double w = none;
        if (fit_weight(r1, r2, w) == fit_outcome::fitted) weights.push_back(w);
    }
    std::sort(weights.begin(), weights.end());
    fit.low = quantile(weights, 0.05);
    fit.high = quantile(weights, 0.95);
    const bool inside = issued_weight >= fit.low && issued_weight <= fit.high;
    fit.move = !inside && fit.mae < fit.issued_mae;
    return fit;
}

} // namespace

unsigned long long next_random(unsigned long long& state) {
    state += 0x9E3779B97F4A7C15ULL;
    unsigned long long z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

double quantile(const std::vector<double>& sorted, double q) {
    if (sorted.empty()) return none;
    const double at = q * static_cast<double>(sorted.size() - 1);
    const auto below = static_cast<std::size_t>(std::floor(at));
    if (below + 1 >= sorted.size()) return sorted.back();
    return sorted[below] +
           ((at - static_cast<double>(below)) * (sorted[below + 1] - sorted[below]));
}

void verify_forecasts(const std::vector<forecast_document>& documents,
                      const observed_table& observed, const verify_options& options,
                      verification& result) {
    result = verification{};
    result.by_day = options.by_day;
    std::map<long long, const forecast_document*> by_issue;
    for (const forecast_document& doc : documents)
        if (doc.dated) by_issue[hours_since_epoch(doc.issued)] = &doc;

    std::vector<verified_pair>& pairs = result.pair_list;
    std::set<std::string> first_models, second_models;
    for (const auto& entry : by_issue) {
        const forecast_document& doc = *entry.second;
        if (result.forecasts == 0) {
            result.first_issued = doc.issued;
            result.lowest_weight = result.highest_weight = doc.eta_weight;
        }
        result.last_issued = doc.issued;
        result.issued_weight = doc.eta_weight;
        result.lowest_weight = std::fmin(result.lowest_weight, doc.eta_weight);
        result.highest_weight = std::fmax(result.highest_weight, doc.eta_weight);
        if (!doc.station_values) ++result.without_station_values;
        const int forecast = result.forecasts++;
        first_models.insert(doc.first_models.begin(), doc.first_models.end());
        second_models.insert(doc.second_models.begin(), doc.second_models.end());
        const long long issued_day = days_since_epoch(doc.issued);
        for (int d = 0; d < verified_days; ++d)
            for (bool high : {false, true}) {
                const forecast_temperature& t = high ? doc.high[d] : doc.low[d];
                const long long date = issued_day + d + 1;
                observed_value city{};
                if (!std::isnan(t.issued) && observed_city_value(observed, date, high, city))
                    pairs.push_back(
                        {forecast, doc.issued, d + 1, high, -1, city, t.first, t.second, t.issued});
                auto day = observed.days.find(date);
                if (!doc.station_values || day == observed.days.end()) continue;
                for (int s = 0; s < station_count; ++s) {
                    const observed_value& v = high ? day->second[s].high : day->second[s].low;
                    if (std::isnan(v.value) ||
                        (std::isnan(t.station_first[s]) && std::isnan(t.station_second[s])))
                        continue;
                    pairs.push_back({forecast, doc.issued, d + 1, high, s, v, t.station_first[s],
                                     t.station_second[s], none});
                }
            }
    }
    result.first_model = model_names(first_models);
    result.second_model = model_names(second_models);

    error_sums issued[2][verified_days], first[2][verified_days], second[2][verified_days];
    error_sums station_first[2][station_count][verified_days];
    error_sums station_second[2][station_count][verified_days];
    std::vector<const verified_pair*> fitted, by_day[blended_days];
    for (const verified_pair& p : pairs) {
        const int k = p.high ? 1 : 0, d = p.day - 1;
        const double obs = p.observed.value;
        if (p.place >= 0) {
            if (!std::isnan(p.first)) station_first[k][p.place][d].add(p.first - obs);
            if (!std::isnan(p.second)) station_second[k][p.place][d].add(p.second - obs);
            continue;
        }
        ++result.all_pairs;
        if (p.observed.source == observed_source::hourly) ++result.hourly_pairs;
        issued[k][d].add(p.issued_value - obs);
        if (!std::isnan(p.first)) first[k][d].add(p.first - obs);
        if (!std::isnan(p.second)) second[k][d].add(p.second - obs);
        if (!fitted_pair(p)) continue;
        fitted.push_back(&p);
        by_day[d].push_back(&p);
    }

    result.fit = fit_over(fitted, result.issued_weight);
    if (options.by_day)
        for (int d = 0; d < blended_days; ++d)
            result.day_fit[d] = fit_over(by_day[d], result.issued_weight);
    error_sums at_weight[2][verified_days];
    if (result.fit.outcome == fit_outcome::fitted)
        for (const verified_pair* p : fitted)
            at_weight[p->high ? 1 : 0][p->day - 1].add(blend(result.fit.weight, *p) -
                                                       p->observed.value);

    for (int d = 0; d < verified_days; ++d) {
        result.low[d] = {issued[0][d].stats(), first[0][d].stats(), second[0][d].stats(),
                         at_weight[0][d].stats()};
        result.high[d] = {issued[1][d].stats(), first[1][d].stats(), second[1][d].stats(),
                          at_weight[1][d].stats()};
        for (int s = 0; s < station_count; ++s) {
            result.station_low[s][d] = {station_first[0][s][d].stats(),
                                        station_second[0][s][d].stats()};
            result.station_high[s][d] = {station_first[1][s][d].stats(),
                                         station_second[1][s][d].stats()};
        }
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
