#include "arith/stations.h"
#include "ingest/bulletin_header.h"
#include "pointforecast/city_forecast.h"
#include "pointforecast/compute_city_forecast.h"

#include "bulletin_text.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// Real 1200 UTC NBS bulletins renamed to the four stations: KBKX NBM 4.0 (TXN), the
// others NBM 3.2 (N/X, sky covers of 100 run together), KHON without its version word.
static bulletin blend_bulletin(int s) {
    const char* const names[4] = {"kbkx", "khon", "kmhe", "kfsd"};
    std::ifstream in(std::string(VUZAZAV_SOURCE_DIR) + "/tests/data/nbs/" + names[s] + ".txt");
    bulletin b;
    for (std::string line; std::getline(in, line);) b.push_back(line);
    return b;
}

// The valid file with NBS bulletins in places 1 to 4.
static std::vector<bulletin> blend_bulletins() {
    std::vector<bulletin> all = valid_bulletins();
    for (int s = 0; s < 4; ++s) all[s] = blend_bulletin(s);
    return all;
}

static std::string sky_row(const std::string& first, const std::string& rest) {
    std::string row = "SKY " + first;
    for (int i = 1; i < 23; ++i) row += " " + rest;
    return row;
}

TEST(ReadBlendBulletin, HeaderVersionWordIsPartOfTheHeader) {
    for (const char* line : {"KBKX    NBM V5.0 NBS GUIDANCE   12/09/2026  1200 UTC",
                             "KBKX    NBM NBS GUIDANCE   11/07/2018  1200 UTC"}) {
        SCOPED_TRACE(line);
        std::istringstream in(line);
        bulletin_header h;
        std::string station;
        in >> station;
        ASSERT_TRUE(read_header_words(in, h));
        EXPECT_EQ(h.model, "NBM");
        EXPECT_EQ(h.kind[0], "NBS");
        EXPECT_EQ(h.cycle, "1200");
        EXPECT_EQ(h.version, line[12] == 'V' ? "V5.0" : "");
    }
    // Only after NBM is a V-word a version; elsewhere it stays a kind word.
    std::istringstream in("ETA V5.0 MOS GUIDANCE 3/04/2010 1200");
    bulletin_header h;
    ASSERT_TRUE(read_header_words(in, h));
    EXPECT_EQ(h.version, "");
    EXPECT_EQ(h.date_word, "GUIDANCE");
}

TEST(ReadBlendBulletin, ReadsTheRowsOfRealNbsBulletins) {
    forecast_arrays a;
    const read_result r = read_text(file_text(blend_bulletins()), a);
    ASSERT_TRUE(r.valid && r.temp_pop && r.sky_wind) << r.why.what;
    // TXN and P12 pass over the value at hour 12; DPT keeps the 7th, 11th, 15th, 19th.
    EXPECT_EQ(elements(temp_pop_block(a, 0), 12),
              (std::vector<std::int32_t>{49, 59, 47, 61, 45, 43, 43, 41, 71, 50, 54, 22}));
    EXPECT_EQ(elements(temp_pop_block(a, 1), 4), (std::vector<std::int32_t>{38, 43, 38, 40}));
    EXPECT_EQ(elements(temp_pop_block(a, 1), 12)[8], 88);
    // "98100" is 98 then 100; "99100100" is 99, 100, 100.
    EXPECT_EQ(elements(sky_wind_block(a, 0), 3), (std::vector<std::int32_t>{68, 81, 94}));
    const std::vector<std::int32_t> khon = sky_wind_block(a, 1), kmhe = sky_wind_block(a, 2);
    EXPECT_EQ(std::vector<std::int32_t>(khon.begin() + 6, khon.begin() + 10),
              (std::vector<std::int32_t>{88, 98, 100, 99}));
    EXPECT_EQ(std::vector<std::int32_t>(kmhe.begin() + 6, kmhe.begin() + 11),
              (std::vector<std::int32_t>{82, 99, 100, 100, 99}));
    EXPECT_EQ(khon[18], 84); // the 19th sky cover, hour 60
    EXPECT_EQ(khon[19], 19); // WDR read as today
    EXPECT_EQ(khon[38], 17); // WSP too
    EXPECT_EQ(a.eta_sky_wind[1].sky_percent, 1);
    EXPECT_EQ(a.avn_sky_wind[1].sky_percent, 0);
    // The AVN and MRF bulletins behind them are read as before.
    forecast_arrays today;
    ASSERT_TRUE(read_text(file_text(valid_bulletins()), today).sky_wind);
    for (int k = 4; k < 12; ++k) EXPECT_EQ(sky_wind_block(a, k), sky_wind_block(today, k)) << k;
}

TEST(ReadBlendBulletin, OlderNbmRowsAndMixesAreReadBulletinByBulletin) {
    std::vector<bulletin> all = blend_bulletins();
    all[2] = valid_bulletin(2);
    all[2][0] = header_line("KMHE", "NAM", "3/04/2010", "1200");
    forecast_arrays a;
    const read_result r = read_text(file_text(all), a);
    ASSERT_TRUE(r.valid && r.temp_pop && r.sky_wind) << r.why.what;
    EXPECT_EQ(elements(temp_pop_block(a, 2), 4), (std::vector<std::int32_t>{17, 36, 19, 40}));
    EXPECT_EQ(a.eta_sky_wind[2].sky_percent, 0);
    EXPECT_EQ(a.eta_sky_wind[2].cloud[0], 10); // OV
}

TEST(ReadBlendBulletin, RefusesWhatAnNbsBulletinLacks) {
    std::vector<bulletin> all = blend_bulletins();
    set_row(all[1], "SKY  57 67 66 SC");
    forecast_arrays a;
    read_result r = read_text(file_text(all), a);
    EXPECT_FALSE(r.sky_wind);
    EXPECT_NE(r.why.what.find("bulletin 2 (KHON NBM): the SKY row holds \"SC\""), std::string::npos)
        << r.why.what;
    all = blend_bulletins();
    all[3].erase(all[3].begin() + row_index(all[3], "N/X"));
    r = read_text(file_text(all), a);
    EXPECT_FALSE(r.temp_pop);
    EXPECT_NE(r.why.what.find("bulletin 4 (KFSD NBM): no TXN or N/X row"), std::string::npos)
        << r.why.what;
    // The validator names every accepted short-range model word.
    all = blend_bulletins();
    all[0][0] = header_line("KBKX", "NBS", "3/04/2010", "1200");
    r = read_text(file_text(all), a);
    EXPECT_FALSE(r.valid);
    EXPECT_NE(r.why.what.find("should be KBKX with ETA, NAM or NBM at 1200"), std::string::npos)
        << r.why.what;
}

TEST(ReadBlendBulletin, SkyCoverEntersTheCloudBlendAsTenths) {
    std::vector<bulletin> all = blend_bulletins();
    for (int s = 0; s < 4; ++s) set_row(all[s], sky_row("50", "50"));
    forecast_arrays a;
    ASSERT_TRUE(read_text(file_text(all), a).sky_wind);
    city_forecast f, missing;
    fault why;
    ASSERT_TRUE(compute_city_forecast(a, 1.0, f, why));
    // 50 percent at every station is 5 tenths, and the blend gives the fraction.
    const double weights =
        ((station_weights[0] + station_weights[1]) + station_weights[2]) + station_weights[3];
    EXPECT_DOUBLE_EQ(f.cloud[0].value, 5.0 * weights / 10.0);
    EXPECT_FALSE(f.cloud[0].fewer_stations);
    // A SKY of 999 is left out, the others standing for the four.
    set_row(all[0], sky_row("999", "50"));
    ASSERT_TRUE(read_text(file_text(all), a).sky_wind);
    ASSERT_TRUE(compute_city_forecast(a, 1.0, missing, why));
    EXPECT_DOUBLE_EQ(missing.cloud[0].value, f.cloud[0].value);
    EXPECT_TRUE(missing.cloud[0].fewer_stations);
    EXPECT_FALSE(missing.cloud[1].fewer_stations);
    // The first model's weight goes to the sky covers, the rest to the AVN cloud codes.
    ASSERT_TRUE(compute_city_forecast(a, 0.0, f, why));
    forecast_arrays today;
    city_forecast g;
    ASSERT_TRUE(read_text(file_text(valid_bulletins()), today).sky_wind);
    ASSERT_TRUE(compute_city_forecast(today, 0.0, g, why));
    EXPECT_DOUBLE_EQ(f.cloud[0].value, g.cloud[0].value);
}
