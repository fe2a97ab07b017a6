// The scores and the fitted weight, on archives whose errors are known exactly.
#include "verify/verification.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const double none = std::numeric_limits<double>::quiet_NaN();

forecast_temperature temperature(double issued, double first, double second) {
    forecast_temperature t{issued, first, second, {}, {}};
    for (int s = 0; s < station_count; ++s) t.station_first[s] = t.station_second[s] = none;
    return t;
}

// A document issued at 1200 UTC on day `issued` of November 2026 whose lows and highs are
// the observed city value plus the errors given, the same on every day.
forecast_document issued_on(int issued, double first_error, double second_error, double observed) {
    forecast_document doc{};
    doc.dated = true;
    doc.issued = utc_time{2026, 11, issued, 12};
    doc.eta_weight = 0.5;
    doc.first_models = {"NBM"};
    doc.second_models = {"GFS"};
    for (int d = 0; d < verified_days; ++d) {
        const double first = observed + first_error, second = observed + second_error;
        const forecast_temperature t = d < blended_days
                                           ? temperature(0.5 * first + 0.5 * second, first, second)
                                           : temperature(observed + 1, none, none);
        doc.low[d] = doc.high[d] = t;
    }
    return doc;
}

// Every station observed value on the November days from first to last.
observed_table every_station(int first, int last, double value) {
    observations in;
    for (int day = first; day <= last; ++day)
        in.days[days_since_epoch(utc_time{2026, 11, day, 0})].fill({value, value});
    observed_table observed;
    warning_list warnings;
    observe_windows(in, days_since_epoch(utc_time{2027, 1, 1, 0}) * 1440, observed, warnings);
    return observed;
}

} // namespace

TEST(VerifyFit, ClosedFormAndItsEdges) {
    double w = none;
    // e2 = -3 e1 puts the least squared error at w = 3/4.
    EXPECT_EQ(fit_weight(std::vector<double>(10, 1), std::vector<double>(10, -3), w),
              fit_outcome::fitted);
    EXPECT_EQ(w, 0.75);
    // Both err the same way, the second more: all the weight goes to the first, and none
    // beyond it.
    fit_weight(std::vector<double>(10, 1), std::vector<double>(10, 2), w);
    EXPECT_EQ(w, 1);
    fit_weight(std::vector<double>(10, 2), std::vector<double>(10, 1), w);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(fit_weight(std::vector<double>(10, 2), std::vector<double>(10, 2), w),
              fit_outcome::any_weight);
    EXPECT_EQ(fit_weight(std::vector<double>(9, 1), std::vector<double>(9, -3), w),
              fit_outcome::too_few_pairs);
}

TEST(VerifyForecasts, ScoresAKnownArchive) {
    // Six forecasts, the first guidance 1 °F too warm and the second 3 °F too cold; one
    // issued twice (the later counts) and one with no observations to meet.
    const double obs = 50;
    std::vector<forecast_document> docs;
    for (int i = 5; i >= 1; --i) docs.push_back(issued_on(i, 1, -3, obs));
    docs.push_back(issued_on(3, 1, -3, obs));
    docs[4].low[0] = temperature(obs + 7, obs + 7, obs + 7); // replaced by the reissue below
    docs.push_back(issued_on(1, 1, -3, obs));
    docs.push_back(issued_on(25, 1, -3, obs));
    // Observed from the 2nd to the 8th: day d of the forecast issued on the 5th meets the
    // 8th only for d up to 3.
    const observed_table observed = every_station(2, 8, obs);
    observed_value observed_city{};
    observed_city_value(observed, days_since_epoch(utc_time{2026, 11, 2, 0}), true, observed_city);
    const double city = observed_city.value;
    for (forecast_document& doc : docs)
        for (int d = 0; d < verified_days; ++d)
            for (forecast_temperature* t : {&doc.low[d], &doc.high[d]}) {
                t->issued += city - obs;
                t->first += city - obs;
                t->second += city - obs;
            }

    verification r;
    verify_forecasts(docs, observed, verify_options{}, r);
    EXPECT_EQ(r.forecasts, 6);
    EXPECT_EQ(r.first_issued.day, 1);
    EXPECT_EQ(r.last_issued.day, 25);
    EXPECT_EQ(r.first_model, "NBM");
    EXPECT_EQ(r.low[0].issued.pairs, 5);
    EXPECT_NEAR(r.low[0].issued.bias, -1, 1e-9);
    EXPECT_NEAR(r.low[0].first.mae, 1, 1e-9);
    EXPECT_NEAR(r.high[1].second.bias, -3, 1e-9);
    // Issued on the 1st to 5th, day 7 meets the 8th only from the 1st.
    EXPECT_EQ(r.high[6].issued.pairs, 1);
    EXPECT_NEAR(r.high[6].issued.mae, 1, 1e-9);
    EXPECT_EQ(r.high[6].first.pairs, 0);
    EXPECT_EQ(r.fit.outcome, fit_outcome::fitted);
    EXPECT_EQ(r.fit.pairs, 20);
    EXPECT_NEAR(r.fit.weight, 0.75, 1e-9);
    EXPECT_NEAR(r.fit.mae, 0, 1e-9);
    EXPECT_NEAR(r.fit.issued_mae, 1, 1e-9);
    EXPECT_NEAR(r.fit.issued_rmse, 1, 1e-9);
    EXPECT_NEAR(r.low[1].fitted.mae, 0, 1e-9);
}

TEST(VerifyBootstrap, RandomNumbersAndQuantiles) {
    // splitmix64's published first output from the seed 0.
    unsigned long long state = 0;
    EXPECT_EQ(next_random(state), 0xE220A8397B1DCDAFULL);
    EXPECT_EQ(quantile({1, 2, 3, 4, 5}, 0.05), 1.2);
    EXPECT_EQ(quantile({1, 2, 3, 4, 5}, 0.95), 4.8);
    EXPECT_EQ(quantile({7}, 0.05), 7);
    EXPECT_TRUE(std::isnan(quantile({}, 0.5)));
}

// Forecasts whose errors are known: the first guidance errs by e, the second by -3e with
// e changing from forecast to forecast, so that every pair says w = 3/4, with noise.
TEST(VerifyBootstrap, TheIntervalHoldsTheTrueWeightAndIsReproducible) {
    const double obs = 50;
    std::vector<forecast_document> docs;
    for (int i = 1; i <= 20; ++i) {
        const double e = 1 + i % 4, noise = (i % 3 - 1) * 0.5;
        docs.push_back(issued_on(i, e + noise, -3 * e, obs));
        docs.back().eta_weight = 0.2;
        for (int s = 0; s < station_count; ++s) {
            docs.back().high[0].station_first[s] = obs + 2;
            docs.back().high[0].station_second[s] = obs - 1;
        }
        docs.back().station_values = i % 2 == 0;
    }
    observed_table observed = every_station(1, 30, obs);
    // The city's own value under the weights, so that the errors stay as designed.
    for (auto& day : observed.days)
        for (station_extremes& s : day.second) s.low.value = s.high.value = obs / 1.000004146;
    verification r, again;
    verify_options options;
    options.by_day = true;
    verify_forecasts(docs, observed, options, r);
    verify_forecasts(docs, observed, options, again);
    ASSERT_EQ(r.fit.outcome, fit_outcome::fitted);
    EXPECT_EQ(r.fit.forecasts, 20);
    EXPECT_LT(r.fit.low, 0.75);
    EXPECT_GT(r.fit.high, 0.75);
    EXPECT_LT(r.fit.high - r.fit.low, 0.2);
    EXPECT_EQ(r.fit.low, again.fit.low);
    EXPECT_EQ(r.fit.high, again.fit.high);
    EXPECT_TRUE(r.fit.move); // 0.2 lies outside, and the fit does better
    EXPECT_LT(r.fit.mae, r.fit.equal_mae);
    EXPECT_EQ(r.day_fit[0].pairs + r.day_fit[1].pairs, r.fit.pairs);
    // The stations of the ten documents that have them, day 1's high.
    EXPECT_EQ(r.station_high[2][0].first.pairs, 10);
    EXPECT_NEAR(r.station_high[2][0].second.bias, -1 - (obs / 1.000004146 - obs), 1e-9);
    EXPECT_EQ(r.station_low[2][0].first.pairs, 0);

    // A fit no better than the issued weight never advises a move, inside or not.
    for (forecast_document& doc : docs) {
        doc.eta_weight = 0.75;
        for (int d = 0; d < blended_days; ++d)
            for (forecast_temperature* t : {&doc.low[d], &doc.high[d]})
                t->issued = observed.days.begin()->second[0].low.value * 1.000004146;
    }
    verify_forecasts(docs, observed, options, r);
    EXPECT_FALSE(r.fit.move);
}
