// The JSON and CSV documents of the 1200 run, read back with the library that wrote them.
#include "export/forecast_export.h"

#include "pointforecast/compute_city_forecast.h"
#include "pointforecast/day_columns.h"
#include "pointforecast/nbm_elements.h"
#include "pointforecast/periods.h"

#include "document_text.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

using json = nlohmann::json;

namespace {

struct sample_run {
    loaded_bulletins loaded;
    city_forecast forecast;
    forecast_export_input in;
};

// The sample bulletin file at weight 0.7, with change applied to its values first.
template <class Change> void run_sample(sample_run& run, Change change) {
    std::ifstream file(VUZAZAV_SOURCE_DIR "/examples/bulletins.txt", std::ios::binary);
    fault why;
    ASSERT_TRUE(load_bulletin_file(file, "bulletins.txt", run.loaded, why)) << why.what;
    change(run.loaded.values);
    ASSERT_TRUE(compute_city_forecast(run.loaded.values, 0.7, run.forecast, why)) << why.what;
    run.in = forecast_export_input{"vuzazav-cli test", "bulletins.txt", 0.7,
                                   &run.loaded,        &run.forecast,   {}};
    header_lines(file, run.loaded.layout, run.in.header_line);
}

void expect_same(double expected, const json& j) {
    if (std::isnan(expected))
        EXPECT_TRUE(j.is_null());
    else
        EXPECT_EQ(number(j), expected); // exactly: the digits read back the same double
}

} // namespace

TEST(ForecastDocuments, SampleValuesAreTheReportsAndCsvTheJsons) {
    sample_run run;
    run_sample(run, [](bulletin_values&) {});
    const json doc = json::parse(forecast_json(run.in));
    EXPECT_EQ(doc["issued"], "2010-03-04T12:00:00Z");
    ASSERT_EQ(doc["guidance"].size(), 12u);
    EXPECT_EQ(doc["guidance"][0]["line"], 1);
    EXPECT_EQ(doc["guidance"][5]["model"], run.loaded.layout.header[5].model);
    EXPECT_GT(doc["guidance"][11]["line"].get<int>(), doc["guidance"][10]["line"].get<int>());
    ASSERT_EQ(doc["days"].size(), 7u);
    for (int d = 0; d < forecast_days; ++d)
        for (int c = 0; c < day_column_count; ++c) {
            SCOPED_TRACE(day_value_name(d, c));
            const json& v = doc["days"][d][day_columns[c].key];
            if (!day_value_exists(d, c)) {
                EXPECT_TRUE(v.is_null());
                continue;
            }
            expect_same(run.forecast.day[d][c].value, v["value"]);
            EXPECT_EQ(v["stations"], d < 2 ? 8 : 4);
            EXPECT_EQ(v["first"].is_null(), d >= 2);
        }
    EXPECT_EQ(doc["days"][0]["date"], "2010-03-05");
    EXPECT_EQ(doc["days"][0]["low_temp"]["valid_from"], "2010-03-05T00:00:00Z");
    EXPECT_EQ(doc["days"][0]["high_dew_point"]["valid_from"], "2010-03-06T00:00:00Z");
    EXPECT_EQ(doc["days"][2]["high_pop"]["valid_to"], "2010-03-08T00:00:00Z");
    ASSERT_EQ(doc["hours"].size(), static_cast<std::size_t>(sky_wind_rows));
    for (int r = 0; r < sky_wind_rows; ++r) {
        expect_same(run.forecast.cloud[r].value, doc["hours"][r]["cloud"]["value"]);
        expect_same(run.forecast.speed[r].value, doc["hours"][r]["wind_speed_mph"]["value"]);
        if (r < short_rows)
            expect_same(run.forecast.direction[r].value,
                        doc["hours"][r]["wind_direction"]["value"]);
        else
            EXPECT_TRUE(doc["hours"][r]["wind_direction"].is_null());
    }
    // With both models' values the blend lies between them, weighted to the first.
    const json& high = doc["days"][0]["high_temp"];
    EXPECT_DOUBLE_EQ(number(high["value"]),
                     0.7 * number(high["first"]) + 0.3 * number(high["second"]));

    const auto lines = csv_lines(forecast_csv(run.in));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].size(), 9u);
    // 7 days of 6 values less 5 low_pop, and 30 hours of 3 values less 11 directions.
    ASSERT_EQ(lines.size(), 1u + 42 - 5 + 90 - 11);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto& f = lines[i];
        ASSERT_EQ(f.size(), 9u);
        const json& v = f[1].empty()
                            ? doc["hours"][(std::stoi(f[2]) <= 60)
                                               ? (std::stoi(f[2]) - 6) / 3
                                               : short_rows + (std::stoi(f[2]) - 72) / 12][f[0]]
                            : doc["days"][std::stoi(f[1]) - 1][f[0]];
        SCOPED_TRACE(f[0] + " " + f[1] + f[2]);
        EXPECT_EQ(json::parse(f[5]), v["value"]);
        EXPECT_EQ(f[6].empty() ? json() : json::parse(f[6]), v["first"]);
        EXPECT_EQ(f[3], v["valid_from"]);
        EXPECT_EQ(std::stoi(f[8]), v["stations"].get<int>());
    }
}

TEST(ForecastDocuments, MissingStationsAreCountedAndAModelWithoutAnyIsNull) {
    sample_run run;
    run_sample(run, [](bulletin_values& v) {
        for (int s = 0; s < station_count; ++s) v.eta_temp_pop[s].temp[0] = missing_temp_pop_value;
        v.avn_temp_pop[2].temp[1] = missing_temp_pop_value;
    });
    const json doc = json::parse(forecast_json(run.in));
    const json& low = doc["days"][0]["low_temp"];
    EXPECT_TRUE(low["first"].is_null());
    EXPECT_EQ(low["stations"], 4);
    EXPECT_EQ(number(low["value"]), number(low["second"]));
    const json& high = doc["days"][0]["high_temp"];
    EXPECT_EQ(high["stations"], 7);
    EXPECT_FALSE(high["second"].is_null());
}

TEST(ForecastDocuments, HoursAroundTheExtendedRangeAreValidFromTheirCycles) {
    sample_run run;
    run_sample(run, [](bulletin_values&) {});
    const json doc = json::parse(forecast_json(run.in));
    const json& hours = doc["hours"];
    EXPECT_EQ(hours[17]["hour"], 57);
    EXPECT_EQ(hours[17]["valid"], "2010-03-06T21:00:00Z");
    // Hour 60 after the 1200 cycle and hour 72 after 0000 UTC are the same time.
    EXPECT_EQ(hours[18]["hour"], 60);
    EXPECT_EQ(hours[18]["valid"], "2010-03-07T00:00:00Z");
    EXPECT_EQ(hours[19]["hour"], 72);
    EXPECT_EQ(hours[19]["valid"], "2010-03-07T00:00:00Z");
    EXPECT_EQ(hours[20]["valid"], "2010-03-07T12:00:00Z");
    EXPECT_TRUE(hours[19]["wind_speed_mph"]["first"].is_null());
}

TEST(ForecastDocuments, FileNamesOfAnyBytesStayJson) {
    sample_run run;
    run_sample(run, [](bulletin_values&) {});
    run.in.input = "say \"hi\"\\ caf\xc3\xa9 \xff\xfe.txt";
    const json doc = json::parse(forecast_json(run.in));
    EXPECT_EQ(doc["input"], "say \"hi\"\\ caf\xc3\xa9 \xef\xbf\xbd\xef\xbf\xbd.txt");
}

TEST(ForecastDocuments, PeriodsAndTheStationValuesBehindEachValue) {
    sample_run run;
    run_sample(run, [](bulletin_values& v) { v.eta_temp_pop[1].temp[0] = missing_temp_pop_value; });
    const json undated = json::parse(forecast_json(run.in));
    EXPECT_TRUE(undated["periods"].is_null());
    const std::vector<forecast_period> periods =
        forecast_periods(run.loaded, run.forecast, flag_limits{});
    run.in.periods = &periods;
    const json doc = json::parse(forecast_json(run.in));
    const json& low = doc["days"][0]["low_temp"]["station_values"];
    EXPECT_TRUE(low["first"]["KHON"].is_null());
    EXPECT_EQ(low["second"]["KHON"], 21);
    EXPECT_EQ(doc["days"][2]["high_temp"]["station_values"]["first"]["KFSD"], 43);
    EXPECT_FALSE(doc["days"][2]["high_temp"]["station_values"].contains("second"));

    ASSERT_EQ(doc["periods"].size(), 14u);
    const json& tonight = doc["periods"][0];
    EXPECT_EQ(tonight["name"], "Tonight");
    EXPECT_EQ(tonight["start"], "2010-03-04T18:00:00-06:00");
    EXPECT_EQ(tonight["end"], "2010-03-05T06:00:00-06:00");
    EXPECT_EQ(tonight["temperature"]["kind"], "low");
    EXPECT_EQ(tonight["temperature"]["value"], 21);
    EXPECT_EQ(number(tonight["temperature"]["unrounded"]), run.forecast.day[0][0].value);
    EXPECT_EQ(tonight["temperature"]["source"], "blend");
    EXPECT_TRUE(tonight["temperature"]["station_values"]["first"]["KHON"].is_null());
    EXPECT_EQ(tonight["pop"]["hours"], 12);
    EXPECT_EQ(tonight["sky"], "partly cloudy");
    EXPECT_EQ(tonight["wind"]["direction"], "N");
    // Days 3 to 7: the extended guidance alone, the 24-hour probability with the day.
    const json& night3 = doc["periods"][4];
    EXPECT_EQ(night3["temperature"]["source"], "extended");
    EXPECT_TRUE(night3["temperature"]["first"].is_null());
    EXPECT_TRUE(night3["pop"].is_null() && night3["sky"].is_null() && night3["wind"].is_null());
    EXPECT_EQ(doc["periods"][5]["pop"]["hours"], 24);
    // The sample's day 3 dew point of 12 UTC stands above its low.
    ASSERT_EQ(night3["flags"].size(), 1u);
    EXPECT_EQ(night3["flags"][0]["kind"], "dew_point_above_temperature");
    EXPECT_EQ(night3["flags"][0]["element"], "dew_point");
}

TEST(ForecastDocuments, NbmElementsOfASnowstormAsComputedByHand) {
    std::ifstream file(VUZAZAV_SOURCE_DIR "/examples/blizzard.txt", std::ios::binary);
    loaded_bulletins loaded;
    city_forecast forecast;
    fault why;
    ASSERT_TRUE(load_bulletin_file(file, "blizzard.txt", loaded, why)) << why.what;
    ASSERT_TRUE(compute_city_forecast(loaded.values, 0.7, forecast, why)) << why.what;
    const std::vector<forecast_period> periods = forecast_periods(loaded, forecast, {});
    nbm_bulletins bulletins{};
    std::vector<fault> notes;
    read_nbm_bulletins(file, "blizzard.txt", loaded.layout, bulletins, notes);
    EXPECT_TRUE(notes.empty());
    const nbm_forecast nbm = nbm_city_forecast(bulletins, loaded.issued, periods);
    forecast_export_input in{
        "vuzazav-cli test", "blizzard.txt", 0.7, &loaded, &forecast, {}, &periods};
    in.nbm = &nbm;
    const json doc = json::parse(forecast_json(in));
    EXPECT_TRUE(doc["nbm_note"].is_null());
    ASSERT_EQ(doc["nbm_hours"].size(), 23u);
    const json& tonight = doc["periods"][1];
    ASSERT_EQ(tonight["name"], "Tonight");
    // Hours 18 and 24, stations KBKX, KHON, KMHE, KFSD (weights 0.353460408, 0.1793834,
    // 0.215645378, 0.25151496). Q06: 18 + 16, 19 + 17, 18 + 16, 17 + 15 hundredths, 33.86.
    EXPECT_EQ(number(tonight["precip_in"]), 0.34);
    // S06: 25 + 22, 26 + 23, 25 + 22, 23 + 20 tenths, 46.35.
    EXPECT_EQ(number(tonight["snow_in"]), 4.6);
    // The highest GST, hour 24's 41, 44, 42, 40 knots: 41.50 knots, 47.76 mph.
    EXPECT_EQ(tonight["gust_mph"], 48);
    EXPECT_EQ(tonight["precip_type"], "snow"); // PSN 100 at every hour and station
    EXPECT_EQ(tonight["thunder_pct"], 2);      // T12 of hour 24: 2 at each station
    // The coldest hour, 24: TMP 12, 10, 13, 14 (12.36 F), WSP 27, 28, 27, 26 knots (26.93
    // knots, 30.99 mph): 35.74 + 0.6215 T - 35.75 V^0.16 + 0.4275 T V^0.16 = -9.35.
    EXPECT_EQ(tonight["wind_chill_f"], -9);
    // XND of hour 24, the low's: 3 at each station; TXN there 12, 10, 13, 14.
    EXPECT_EQ(tonight["temperature"]["spread"], 3);
    EXPECT_EQ(tonight["temperature"]["station_range"], json::array({10, 14}));
    // Today, hours 6 to 12: PZR of the city 58.06, 53.06, 33.06 (mean 48.06) against PSN
    // 11.94, 31.94, 56.94 (mean 33.61).
    EXPECT_EQ(doc["periods"][0]["precip_type"], "freezing rain");
    // Day 3 on: none.
    EXPECT_TRUE(doc["periods"][5]["precip_in"].is_null());
    const std::string csv = forecast_csv(in);
    for (const char* line : {"precip_in,1,,2026-12-17T00:00:00Z,2026-12-17T12:00:00Z,0.34,,,\r\n",
                             "snow_in,1,,2026-12-17T00:00:00Z,2026-12-17T12:00:00Z,4.6,,,\r\n",
                             "gust_mph,1,,2026-12-17T00:00:00Z,2026-12-17T12:00:00Z,48,,,\r\n",
                             "precip_type,0,,2026-12-16T12:00:00Z,2026-12-17T00:00:00Z,"
                             "freezing rain,,,\r\n",
                             "wind_chill_f,1,,2026-12-17T00:00:00Z,2026-12-17T12:00:00Z,-9,,,\r\n",
                             "temperature_spread,1,,2026-12-17T00:00:00Z,2026-12-17T12:00:00Z,3,,,"
                             "\r\n"})
        EXPECT_NE(csv.find(line), std::string::npos) << line;
}
