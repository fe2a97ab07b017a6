// Verification: the forecast documents read back, the city observations, the scores and
// the fitted weight, on archives whose errors are known exactly.
#include "export/forecast_export.h"
#include "pointforecast/compute_city_forecast.h"
#include "verify/verification.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>

namespace {

const double none = std::numeric_limits<double>::quiet_NaN();

// The sample bulletins' document, as `forecast --json` writes it.
std::string sample_document() {
    std::ifstream file(VUZAZAV_SOURCE_DIR "/examples/bulletins.txt", std::ios::binary);
    loaded_bulletins loaded;
    city_forecast forecast;
    fault why;
    EXPECT_TRUE(load_bulletin_file(file, "bulletins.txt", loaded, why));
    EXPECT_TRUE(compute_city_forecast(loaded.values, 0.7, forecast, why));
    forecast_export_input in{"vuzazav-cli 1.1.0", "bulletins.txt", 0.7, &loaded, &forecast, {}};
    header_lines(file, loaded.layout, in.header_line);
    return forecast_json(in);
}

bool read_text(const std::string& text, forecast_document& doc, fault& why) {
    std::istringstream in(text);
    return read_forecast_document(in, "f.json", doc, why);
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
        const forecast_temperature t =
            d < blended_days ? forecast_temperature{0.5 * first + 0.5 * second, first, second}
                             : forecast_temperature{observed + 1, none, none};
        doc.low[d] = doc.high[d] = t;
    }
    return doc;
}

// Every station observed value on the November days from first to last.
observed_days every_station(int first, int last, double value) {
    observed_days observed;
    for (int day = first; day <= last; ++day)
        observed.days[days_since_epoch(utc_time{2026, 11, day, 0})].fill({value, value});
    return observed;
}

} // namespace

TEST(VerifyDocuments, ReadsBackWhatTheForecastWrites) {
    forecast_document doc;
    fault why;
    ASSERT_TRUE(read_text(sample_document(), doc, why)) << why.what;
    EXPECT_TRUE(doc.dated);
    EXPECT_EQ(doc.issued.year, 2010);
    EXPECT_EQ(doc.issued.day, 4);
    EXPECT_EQ(doc.first_models, std::vector<std::string>{"ETA"});
    EXPECT_EQ(doc.second_models, (std::vector<std::string>{"AVN", "GFS"}));
    EXPECT_DOUBLE_EQ(doc.high[0].first, 38.329502856000005);
    EXPECT_TRUE(std::isnan(doc.high[3].first)); // the extended days have one guidance
    EXPECT_FALSE(std::isnan(doc.high[3].issued));
}

TEST(VerifyDocuments, RefusesWithTheLine) {
    const std::string good = sample_document();
    const auto refused = [&](std::string text, long long line, const std::string& says) {
        forecast_document doc;
        fault why;
        EXPECT_FALSE(read_text(text, doc, why)) << says;
        EXPECT_EQ(why.line, line) << why.what;
        EXPECT_NE(why.what.find(says), std::string::npos) << why.what;
    };
    const auto edit = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    refused("{\n  \"program\": \"vuzazav-cli\",\n  oops\n}\n", 3, "no JSON document");
    refused(edit("vuzazav-cli 1.1.0", "another program"), 2, "no forecast document");
    refused(edit("2010-03-04T12:00:00Z", "2010-02-30T12:00:00Z"), 5, "no real time");
    refused(edit("\"date\": \"2010-03-07\"", "\"date\": \"2010-03-08\""), 378, "day 3 is dated");
    refused(edit("\"value\": 21.329432374", "\"value\": \"21\""), 108, "no temperature");
    refused(
        edit("\"input\": \"bulletins.txt\"", "\"input\": \"" + std::string(1 << 20, 'x') + "\""), 0,
        "larger than 1 MiB");
}

TEST(VerifyCity, MissingStationsAreScaledToTheFullWeight) {
    observed_days observed;
    const long long day = 20000;
    observed.days[day] = {station_day{40, 10}, {none, none}, {none, 12}, {60, none}};
    double max = 0, min = 0;
    ASSERT_TRUE(observed_city_value(observed, day, true, max));
    ASSERT_TRUE(observed_city_value(observed, day, false, min));
    const double all = ((0.353460408 + 0.1793834) + 0.215645378) + 0.25151496;
    EXPECT_EQ(max, (40 * 0.353460408 + 60 * 0.25151496) / (0.353460408 + 0.25151496) * all);
    EXPECT_EQ(min, (10 * 0.353460408 + 12 * 0.215645378) / (0.353460408 + 0.215645378) * all);
    observed.days[day + 1].fill({none, none});
    EXPECT_FALSE(observed_city_value(observed, day + 1, true, max));
    EXPECT_FALSE(observed_city_value(observed, day + 2, true, max));
}

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
    docs[4].low[0] = {obs + 7, obs + 7, obs + 7}; // replaced by the reissue below
    docs.push_back(issued_on(1, 1, -3, obs));
    docs.push_back(issued_on(25, 1, -3, obs));
    // Observed from the 2nd to the 8th: day d of the forecast issued on the 5th meets the
    // 8th only for d up to 3.
    observed_days observed = every_station(2, 8, obs);
    double city = 0;
    observed_city_value(observed, days_since_epoch(utc_time{2026, 11, 2, 0}), true, city);
    for (forecast_document& doc : docs)
        for (int d = 0; d < verified_days; ++d)
            for (forecast_temperature* t : {&doc.low[d], &doc.high[d]}) {
                t->issued += city - obs;
                t->first += city - obs;
                t->second += city - obs;
            }

    verification r;
    verify_forecasts(docs, observed, r);
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
