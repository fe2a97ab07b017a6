#include "chart/forecast_chart.h"
#include "count_of.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A week of plain values: every temperature 30, every probability 20, every hour 0.5 of
// the sky and 10 mph from the north.
forecast_chart_input plain_week() {
    forecast_chart_input input{"week.txt", {2010, 3, 4, 12}, 0.7, {}, {}};
    const chart_value v{30, false}, pop{20, false};
    for (forecast_chart_day& day : input.days) day = forecast_chart_day{v, v, v, v, pop, pop};
    for (int i = 0; i < sky_wind_rows; ++i) {
        bool extended = i >= short_rows;
        input.hours[i] = forecast_chart_hour{extended ? 72 + 12 * (i - 19) : 6 + 3 * i,
                                             {0.5, false},
                                             {10, false},
                                             {extended ? NAN : 36, false},
                                             false};
    }
    return input;
}

std::string chart_of(const forecast_chart_input& input) {
    std::ostringstream out;
    fault why;
    EXPECT_TRUE(write_forecast_chart(out, input, why)) << why.what;
    return out.str();
}

} // namespace

TEST(WriteForecastChart, ValueOnFewerStationsIsHollowAndFootnoted) {
    forecast_chart_input input = plain_week();
    EXPECT_EQ(chart_of(input).find("fewer stations"), std::string::npos);
    input.days[2].low_temp.fewer_stations = true;
    std::string svg = chart_of(input);
    std::size_t mark = svg.find("class=\"temp-low fewer-stations\" data-day=\"3\"");
    ASSERT_NE(mark, std::string::npos);
    EXPECT_LT(svg.find("fill=\"#fff\"", mark), svg.find('>', mark));
    EXPECT_NE(svg.find("Hollow marks rest on fewer stations"), std::string::npos);
    EXPECT_EQ(count_of(svg, "fewer-stations"), 1u);
}

TEST(WriteForecastChart, MissingValueLeavesGapNotZero) {
    forecast_chart_input input = plain_week();
    EXPECT_EQ(count_of(chart_of(input), "class=\"temp-line\""), 1u);
    input.days[4].high_temp.value = NAN;
    input.hours[3].wind_speed.value = NAN;
    std::string svg = chart_of(input);
    EXPECT_EQ(svg.find("class=\"temp-high\" data-day=\"5\""), std::string::npos);
    EXPECT_EQ(count_of(svg, "class=\"temp-high\""), 6u);
    EXPECT_EQ(count_of(svg, "class=\"temp-line\""), 2u);
    EXPECT_EQ(svg.find("class=\"wind-speed\" data-hour=\"15\""), std::string::npos);
    // Short-range rows split at the gap, then the extended rows: three pieces of line.
    EXPECT_EQ(count_of(svg, "class=\"wind-speed-line\""), 3u);
    EXPECT_EQ(svg.find("1000000"), std::string::npos); // where a NaN coordinate would land
}

TEST(WriteForecastChart, RefusesADateThatIsNoDateAndAWeightThatIsNoNumber) {
    forecast_chart_input input{"week.txt", {2010, 4, 31, 12}, 0.7, {}, {}};
    std::ostringstream out;
    fault why;
    EXPECT_FALSE(write_forecast_chart(out, input, why));
    EXPECT_EQ(why.kind, fault_kind::invalid_bulletins);
    input.issued = utc_time{2010, 4, 30, 24};
    EXPECT_FALSE(write_forecast_chart(out, input, why));
    // A weight that is no number would print "nan" into the title.
    input.issued = utc_time{2010, 4, 30, 12};
    input.eta_weight = NAN;
    EXPECT_FALSE(write_forecast_chart(out, input, why));
    EXPECT_EQ(why.kind, fault_kind::bad_weight);
    EXPECT_EQ(out.str(), "");
}

TEST(WriteForecastChart, PeriodsAreNamedAndFlaggedValuesRinged) {
    forecast_chart_input input = plain_week();
    std::vector<forecast_period> periods(3);
    const char* names[3] = {"Today", "Tonight", "Fri"};
    for (int i = 0; i < 3; ++i) {
        periods[i].short_name = names[i];
        periods[i].day = (i + 1) / 2;
        periods[i].night = i == 1;
        periods[i].start = add_hours(utc_time{2010, 3, 4, 12}, 12 * i);
        periods[i].end = add_hours(periods[i].start, 12);
    }
    periods[0].flags.push_back({flag_kind::guidances_differ, temperature_element, ""});
    periods[1].flags.push_back({flag_kind::implausible, temperature_element, ""});
    periods[2].flags.push_back({flag_kind::guidances_differ, pop_element, ""});
    input.periods = &periods;
    const std::string svg = chart_of(input);
    EXPECT_EQ(count_of(svg, "class=\"period-label\""), 3u);
    EXPECT_NE(svg.find(">Tonight</text>"), std::string::npos);
    // Today's values are not on the chart; Tonight's low and Friday's probability are.
    EXPECT_EQ(count_of(svg, "class=\"flagged\""), 2u);
    EXPECT_NE(svg.find("class=\"flagged\" data-day=\"1\""), std::string::npos);
    EXPECT_NE(svg.find("00 to 12 UTC, 6 PM to 6 AM CST"), std::string::npos);
    EXPECT_NE(svg.find("Ringed values are flagged"), std::string::npos);
}

TEST(WriteForecastChart, NbmSpreadAmountsAndGustsOnlyWhereAnNbsGivesThem) {
    forecast_chart_input input = plain_week();
    std::vector<forecast_period> periods(2);
    for (int i = 0; i < 2; ++i) {
        periods[i].day = 1;
        periods[i].night = i == 0;
        periods[i].start = add_hours(utc_time{2010, 3, 5, 0}, 12 * i);
        periods[i].end = add_hours(periods[i].start, 12);
    }
    input.periods = &periods;
    nbm_forecast nbm;
    input.nbm = &nbm;
    const std::string without = chart_of(input);
    EXPECT_NE(without.find("height=\"700\""), std::string::npos);
    nbm.given = true;
    nbm.periods.resize(2);
    for (nbm_period& p : nbm.periods) {
        p.given = p.has_spread = true;
        p.unrounded_spread = 3;
    }
    for (int i = 0; i < nbm_hour_count; ++i) {
        nbm.hour[i][nbm_gust] = nbm_city_value{true, 30, 5, 29, 31, 4};
        nbm.hour[i][nbm_precip] = nbm_city_value{true, 12, 0, 10, 14, 4};
        nbm.hour[i][nbm_snowfall] = nbm_city_value{true, 15, 0, 10, 20, 3};
    }
    const std::string svg = chart_of(input);
    EXPECT_NE(svg.find("height=\"786\""), std::string::npos);
    // Day 1's low and high, 30 F each, with their spread of 3 F: one band from 27 to 33.
    EXPECT_EQ(count_of(svg, "class=\"temp-spread\""), 1u);
    // Hours 6 to 72 give 12 amounts of 6 hours, snow from three stations drawn hollow.
    EXPECT_EQ(count_of(svg, "class=\"precip6\""), 12u);
    EXPECT_EQ(count_of(svg, "class=\"snow6 fewer-stations\""), 12u);
    EXPECT_NE(svg.find("Hollow marks rest on fewer stations"), std::string::npos);
    EXPECT_EQ(count_of(svg, "class=\"gust\""), 23u);
    EXPECT_NE(svg.find("data-value=\"0.12\""), std::string::npos);
    for (const char* part : {"temp-spread", "precip6", "class=\"gust\""})
        EXPECT_EQ(without.find(part), std::string::npos) << part;
}
