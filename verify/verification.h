#pragma once

#include "verify/forecast_document.h"
#include "verify/observations.h"

#include <string>
#include <vector>

// Errors of one forecast against what was observed: how many pairs, the mean of forecast
// minus observed and the mean of its absolute value, in °F (NaN without pairs).
struct error_stats {
    int pairs;
    double bias;
    double mae;
};

// The scores of the low or the high of one day: the issued blend, each guidance alone
// (days 1 and 2), and the blend at the fitted weight (days 1 and 2, where one was fitted).
struct day_scores {
    error_stats issued, first, second, fitted;
};

// A station's scores of the low or the high of one day: each guidance's own station value
// (days 3 to 7 have one guidance, first).
struct station_scores {
    error_stats first, second;
};

// One forecast value beside what was observed: the city's (place -1) or a station's.
struct verified_pair {
    int forecast; // the forecast's index in order of issue
    utc_time issued;
    int day; // 1 to 7
    bool high;
    int place; // -1 the city, else the station's index
    observed_value observed;
    double first, second, issued_value; // NaN where there is none (issued_value: the city's)
};

// Fewer pairs than this fit no weight.
inline constexpr int fewest_fit_pairs = 10;

enum class fit_outcome {
    fitted,        // weight holds the fitted weight
    too_few_pairs, // fewer than fewest_fit_pairs
    any_weight,    // the two guidances erred alike in every pair: every weight does as well
};

// The resamples of the bootstrap interval, and the seed that makes a rerun give the same.
inline constexpr int bootstrap_resamples = 2000;
inline constexpr unsigned long long bootstrap_seed = 20261209;

// The weight of the first guidance that minimises the squared error of the blend over the
// city's lows and highs (of the days fitted) where both guidances and an observation exist,
// its 90 % interval from resampling whole forecasts, and the errors of the blend at it, at
// 0.5 and as issued over the same pairs.
struct weight_fit {
    fit_outcome outcome;
    int pairs;
    int forecasts;    // the forecasts the pairs come from
    double weight;    // 0 to 1; NaN unless fitted
    double low, high; // the 5th and 95th percentiles of the resampled weights
    double mae, rmse; // at the fitted weight
    double equal_mae, equal_rmse;
    double issued_mae, issued_rmse;
    bool move; // the advice: move toward the fitted weight, else keep
};

// What verify is asked for beyond the table.
struct verify_options {
    bool by_day = false; // fit days 1 and 2 apart beside the joint fit
};

// Everything verify reports.
struct verification {
    int forecasts; // documents verified (one per issued time)
    utc_time first_issued, last_issued;
    double lowest_weight, highest_weight;  // the weights they were issued with
    double issued_weight;                  // that of the latest forecast
    std::string first_model, second_model; // "NBM", or "NAM and NBM" where they differ
    day_scores low[verified_days], high[verified_days];
    station_scores station_low[station_count][verified_days];
    station_scores station_high[station_count][verified_days];
    int without_station_values; // forecasts scored for the city only
    weight_fit fit;
    bool by_day;
    weight_fit day_fit[blended_days];     // where by_day
    int all_pairs;                        // the city's pairs, those of the table
    int hourly_pairs;                     // of them, observed over the guidance's windows
    std::vector<verified_pair> pair_list; // the city's and the stations', in order of issue
};

// Scores the documents that are dated against the observations: day d of a forecast
// issued on date D against the observed low and high of date D + d, the city's issued and
// guidance values against the city's and each station's guidance values against the
// station's. Of documents with the same issued time, the one latest in the list counts.
// Sums run over the documents in order of issue, so the result does not depend on the
// order they were given in.
void verify_forecasts(const std::vector<forecast_document>& documents,
                      const observed_table& observed, const verify_options& options,
                      verification& result);

// The fitted weight in closed form over paired errors e1 (first) and e2 (second):
// w = sum e2 (e2 - e1) / sum (e1 - e2)^2, clipped to 0 and 1.
fit_outcome fit_weight(const std::vector<double>& e1, const std::vector<double>& e2,
                       double& weight);

// The random numbers of the bootstrap, splitmix64: the same sequence from the same seed
// on every machine.
unsigned long long next_random(unsigned long long& state);

// The q-quantile (0 to 1) of sorted values, between neighbours linearly.
double quantile(const std::vector<double>& sorted, double q);
