#include "pointforecast/compute_city_forecast.h"
#include "pointforecast/write_day_table.h"
#include "pointforecast/write_report.h"
#include "pointforecast/write_sky_wind_table.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

void fill(std::int32_t* array, int count, std::int32_t value) {
    for (int i = 0; i < count; ++i) array[i] = value;
}

// Station arrays in which every station and both models report the same value per
// element, unless a test changes them.
station_arrays all_stations(std::int32_t temp_pop, std::int32_t sky_wind) {
    station_arrays a;
    fill(a.eta_temp_pop, 48, temp_pop);
    fill(a.avn_temp_pop, 48, temp_pop);
    fill(a.mrf_temp_pop, 100, temp_pop);
    fill(a.eta_sky_wind, 228, sky_wind);
    fill(a.avn_sky_wind, 228, sky_wind);
    fill(a.mrf_sky_wind, 88, sky_wind);
    return a;
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

city_forecast forecast_of(const station_arrays& a, double eta_weight) {
    city_forecast forecast;
    compute_city_forecast(a, eta_weight, forecast);
    return forecast;
}

std::string day_table(const station_arrays& a, double eta_weight, bool pad) {
    std::ostringstream out;
    write_day_table(out, forecast_of(a, eta_weight), pad);
    return out.str();
}

std::string sky_wind_table(const station_arrays& a, double eta_weight) {
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
    station_arrays a = all_stations(0, 0);
    for (int s = 0; s < 4; ++s) {
        for (int j = 0; j < 12; ++j) {
            a.eta_temp_pop[s * 12 + j] = 50;
            a.avn_temp_pop[s * 12 + j] = 60;
        }
        // Day 3: pair 1 of the extended rows.
        a.mrf_temp_pop[s * 25 + 0] = 40;
        a.mrf_temp_pop[s * 25 + 5] = 60;
        a.mrf_temp_pop[s * 25 + 10] = 30;
        a.mrf_temp_pop[s * 25 + 15] = 35;
        a.mrf_temp_pop[s * 25 + 20] = 20;
        // Day 7: pair 5.
        a.mrf_temp_pop[s * 25 + 4] = -1234567;
    }
    std::vector<std::string> lines = lines_of(day_table(a, 0.5, false));
    EXPECT_EQ(lines[2].substr(7, 12), "55.0002     ");
    EXPECT_EQ(lines[4], "3      40.0002     60.0002     30.0001     35.0001                 "
                        "20.0001");
    // A value as wide as its field fills it; nothing is cut.
    EXPECT_EQ(lines[8].substr(0, 19), "7      -1.23457e+06");
}

TEST(WriteDayTable, WeightPicksTheModelForShortDaysOnly) {
    station_arrays a = all_stations(10, 0);
    for (int i = 0; i < 48; ++i) a.avn_temp_pop[i] = 70;
    std::vector<std::string> eta = lines_of(day_table(a, 1, false));
    std::vector<std::string> avn = lines_of(day_table(a, 0, false));
    EXPECT_EQ(eta[2].substr(7, 12), "10          ");
    EXPECT_EQ(avn[2].substr(7, 12), "70.0003     ");
    for (int line = 4; line < 9; ++line) EXPECT_EQ(eta[line], avn[line]);
}

TEST(WriteSkyWindTable, Layout) {
    station_arrays a = all_stations(0, 10);
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
    station_arrays a = all_stations(0, 0);
    for (int s = 0; s < 4; ++s) {
        a.eta_sky_wind[s * 57 + 18] = 10; // cloud at 60 h
        a.avn_sky_wind[s * 57 + 18] = 10;
        a.eta_sky_wind[s * 57 + 19] = s % 2 ? 1 : 36; // direction at 6 h
        a.avn_sky_wind[s * 57 + 19] = s % 2 ? 1 : 36;
        a.eta_sky_wind[s * 57 + 38 + 1] = 10; // speed at 9 h
        a.avn_sky_wind[s * 57 + 38 + 1] = 10;
        a.mrf_sky_wind[s * 22 + 10] = 5;  // cloud at 192 h
        a.mrf_sky_wind[s * 22 + 11] = 10; // speed at 72 h
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
    station_arrays a = all_stations(50, 10);
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
