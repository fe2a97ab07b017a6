#include "pointforecast/write_report.h"

#include "pointforecast/compute_city_forecast.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include <sstream>
#include <string>
#include <vector>

namespace {

template <class Block> void fill(Block& block, std::int32_t value) {
    std::int32_t* first = reinterpret_cast<std::int32_t*>(&block);
    std::fill(first, first + sizeof block / sizeof value, value);
}

// Bulletin values in which every station and both models report the same value per
// element, unless a test changes them.
bulletin_values all_stations(std::int32_t temp_pop, std::int32_t sky_wind) {
    bulletin_values a;
    for (int s = 0; s < station_count; ++s) {
        fill(a.eta_temp_pop[s], temp_pop);
        fill(a.avn_temp_pop[s], temp_pop);
        fill(a.mrf_temp_pop[s], temp_pop);
        fill(a.eta_sky_wind[s], sky_wind);
        fill(a.avn_sky_wind[s], sky_wind);
        fill(a.mrf_sky_wind[s], sky_wind);
        // Cloud codes, not the National Blend's sky covers.
        a.blend[s] = false;
    }
    return a;
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

city_forecast forecast_of(const bulletin_values& a, double eta_weight) {
    city_forecast forecast;
    fault why;
    EXPECT_TRUE(compute_city_forecast(a, eta_weight, forecast, why)) << why.what;
    return forecast;
}

std::string day_table(const bulletin_values& a, double eta_weight, bool pad) {
    std::ostringstream out;
    write_day_table(out, forecast_of(a, eta_weight), pad);
    return out.str();
}

std::string sky_wind_table(const bulletin_values& a, double eta_weight) {
    std::ostringstream out;
    write_sky_wind_table(out, forecast_of(a, eta_weight));
    return out.str();
}

} // namespace

TEST(WriteDayTable, HeaderAndEqualStations) {
    std::vector<std::string> lines = lines_of(day_table(all_stations(50, 0), 0.3, false));
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0], "Day    LowTemp     HighTemp    LowDPT      HighDPT     LowProbPrec "
                        "HighProbPrec");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "1      50.0002     50.0002     50.0002     50.0002     50.0002     "
                        "50.0002");
    EXPECT_EQ(lines[4], "3      50.0002     50.0002     50.0002     50.0002                 "
                        "50.0002");
}

TEST(WriteDayTable, ReportPadsTheLastValueOfTheShortDaysOnly) {
    std::vector<std::string> lines = lines_of(day_table(all_stations(0, 0), 1, true));
    EXPECT_EQ(lines[2], "1      0           0           0           0           0           0"
                        "           ");
    EXPECT_EQ(lines[3].size(), 79u);
    EXPECT_EQ(lines[4], "3      0           0           0           0                       0");
}

TEST(WriteDayTable, ElementsFeedTheirDaysAndColumns) {
    bulletin_values a = all_stations(0, 0);
    for (int s = 0; s < 4; ++s) {
        fill(a.eta_temp_pop[s], 50);
        fill(a.avn_temp_pop[s], 60);
        // Day 3: pair 1 of the extended rows.
        a.mrf_temp_pop[s].temp[0] = 40;
        a.mrf_temp_pop[s].temp[1] = 60;
        a.mrf_temp_pop[s].dew_point[0] = 30;
        a.mrf_temp_pop[s].dew_point[1] = 35;
        a.mrf_temp_pop[s].pop24[0] = 20;
        // Day 7: pair 5.
        a.mrf_temp_pop[s].temp[8] = -1234567;
    }
    std::vector<std::string> lines = lines_of(day_table(a, 0.5, false));
    EXPECT_EQ(lines[2].substr(7, 12), "55.0002     ");
    EXPECT_EQ(lines[4], "3      40.0002     60.0002     30.0001     35.0001                 "
                        "20.0001");
    // A value as wide as its field fills it; nothing is cut.
    EXPECT_EQ(lines[8].substr(0, 19), "7      -1.23457e+06");
}

TEST(WriteDayTable, WeightPicksTheModelForShortDaysOnly) {
    bulletin_values a = all_stations(10, 0);
    for (short_temp_pop& b : a.avn_temp_pop) fill(b, 70);
    std::vector<std::string> eta = lines_of(day_table(a, 1, false));
    std::vector<std::string> avn = lines_of(day_table(a, 0, false));
    EXPECT_EQ(eta[2].substr(7, 12), "10          ");
    EXPECT_EQ(avn[2].substr(7, 12), "70.0003     ");
    for (int line = 4; line < 9; ++line) EXPECT_EQ(eta[line], avn[line]);
}

TEST(WriteSkyWindTable, Layout) {
    bulletin_values a = all_stations(0, 10);
    std::vector<std::string> lines = lines_of(sky_wind_table(a, 0.4));
    ASSERT_EQ(lines.size(), 32u);
    EXPECT_EQ(lines[0], "HR    CLD     WDR       WSP (MPH) ");
    EXPECT_EQ(lines[1], "6     1.00    10.00     11.51     ");
    EXPECT_EQ(lines[19], "60    1.00    10.00     11.51     ");
    EXPECT_EQ(lines[20], "");
    EXPECT_EQ(lines[21], "72    1.00              11.51     ");
    EXPECT_EQ(lines[31], "192   1.00              11.51     ");
}

TEST(WriteSkyWindTable, RowsTakeTheirHoursElements) {
    bulletin_values a = all_stations(0, 0);
    for (int s = 0; s < 4; ++s) {
        for (short_sky_wind* b : {&a.eta_sky_wind[s], &a.avn_sky_wind[s]}) {
            b->cloud[18] = 10;                // at 60 h
            b->direction[0] = s % 2 ? 1 : 36; // at 6 h
            b->speed[1] = 10;                 // at 9 h
        }
        a.mrf_sky_wind[s].cloud[10] = 5; // at 192 h
        a.mrf_sky_wind[s].speed[0] = 10; // at 72 h
    }
    std::vector<std::string> lines = lines_of(sky_wind_table(a, 0.7));
    // 36 and 01 lie across north: the blend is northerly (0.43), not 20.92 (south-south-west).
    EXPECT_EQ(lines[1], "6     0.00    0.43      0.00      ");
    EXPECT_EQ(lines[2], "9     0.00    0.00      11.51     ");
    EXPECT_EQ(lines[19].substr(0, 14), "60    1.00    ");
    EXPECT_EQ(lines[21], "72    0.00              11.51     ");
    EXPECT_EQ(lines[31], "192   0.50              0.00      ");
}

TEST(WriteReport, SectionsInOrder) {
    bulletin_values a = all_stations(50, 10);
    std::ostringstream out;
    write_report(out, forecast_of(a, 0.5));
    std::vector<std::string> lines = lines_of(out.str());
    ASSERT_EQ(lines.size(), 2u + 9u + 1u + 2u + 32u);
    EXPECT_EQ(lines[0], "1200 City of Vuzazav Forecast Data");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2].substr(0, 3), "Day");
    EXPECT_EQ(lines[11], "");
    EXPECT_EQ(lines[12], "Cloud cover, wind speed, and wind direction data");
    EXPECT_EQ(lines[13], "");
    EXPECT_EQ(lines[14].substr(0, 2), "HR");
    EXPECT_EQ(out.str().back(), '\n');
}
