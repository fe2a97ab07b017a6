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

// Fewer pairs than this fit no weight.
inline constexpr int fewest_fit_pairs = 10;

enum class fit_outcome {
    fitted,        // weight holds the fitted weight
    too_few_pairs, // fewer than fewest_fit_pairs
    any_weight,    // the two guidances erred alike in every pair: every weight does as well
};

// The weight of the first guidance that minimises the squared error of the blend over the
// lows and highs of days 1 and 2 where both guidances and an observation exist, and the
// blend's errors at it beside the issued blend's over the same pairs.
struct weight_fit {
    fit_outcome outcome;
    int pairs;
    double weight; // 0 to 1; NaN unless fitted
    double mae, rmse;
    double issued_mae, issued_rmse;
};

// Everything verify reports.
struct verification {
    int forecasts; // documents verified (one per issued time)
    utc_time first_issued, last_issued;
    double lowest_weight, highest_weight;  // the ETA weights they were issued with
    std::string first_model, second_model; // "NBM", or "NAM and NBM" where they differ
    day_scores low[verified_days], high[verified_days];
    weight_fit fit;
    int all_pairs; // every forecast/observation pair of the table
};

// Scores the documents that are dated against the observations: day d of a forecast
// issued on date D against the observations of date D + d, its low against the minimum
// and its high against the maximum. Of documents with the same issued time, the one
// latest in the list counts. Sums run over the documents in order of issue, so the
// result does not depend on the order they were given in.
void verify_forecasts(const std::vector<forecast_document>& documents,
                      const observed_days& observed, verification& result);

// The fitted weight in closed form over paired errors e1 (first) and e2 (second):
// w = sum e2 (e2 - e1) / sum (e1 - e2)^2, clipped to 0 and 1.
fit_outcome fit_weight(const std::vector<double>& e1, const std::vector<double>& e2,
                       double& weight);
