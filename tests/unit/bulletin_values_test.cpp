#include "ingest/bulletin_values.h"

#include "bulletin_text.h"
#include "ingest/read_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

static std::vector<std::int32_t> expected_temp_pop(int k) {
    if (k < 8) return {15 + k, 36, 19, 40, 16, 21, 17, 20, 6, 1, 6, 16};
    return {15 + k, 30, 12, 27, 10, 33, 16, 38, 21, 42, 12, 15, 6,
            12,     4,  14, 10, 20, 15, 24, 10, 9,  23, 33, 18};
}

TEST(ReadTempPop, ReadsEachBlockFromItsOwnBulletin) {
    forecast_arrays a;
    ASSERT_TRUE(read_text(file_text(valid_bulletins()), a).temp_pop);
    for (int k = 0; k < bulletin_count; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(elements(temp_pop_block(a, k), k < 8 ? 12 : 25), expected_temp_pop(k));
    }
}

TEST(ReadTempPop, StoresValuesAsWritten) {
    struct {
        int k;
        const char* row;
        int element;
        std::int32_t value;
    } cases[] = {
        {0, "N/X                    05          36          19          40    22", 0, 5},
        {1, "DPT  18 18 19 19 18 17 -8-10 19 20 21 20 19 18 17 17 18 19 20 20 19", 4, -8},
        {1, "DPT  18 18 19 19 18 17 -8-10 19 20 21 20 19 18 17 17 18 19 20 20 19", 5, 21},
        {8, "X/N  38| 19  41| 23  36| 23  30| 12  27| 10  33| 16  38| 21 999", 9, 999},
        {8, "X/N  38| 19  41| 23  36| 23  30| 12  27| 10  33| 16  38| 21 -999", 9, -999},
        {8, "X/N  38| 19  41| 23  36| 23  30| 12  27| 10  33| 16  38| 21 1000", 9, 0},
        {8, "X/N  38| 19  41| 23  36| 23  30| 12  27| 10  33| 16  38| 21  42999999", 9, 42},
        {8, "X/N  38| 19  41| 23  36| 23  30| 12  27| 10  33| 16  38| 21 -5999999", 9, -5},
        {8, "X/N  38| 19  41| 23  36| 23 1000| 12  27| 10  33| 16  38| 21  42", 1, 1000},
        {9, "X/N  38| 19  67|-12  36| 24  30| 12  27| 10  33| 16  38| 21  42", 0, 24},
        {10, "DPT  22| 17  23| 20  21| 12   8|-13  12|  4  14| 10  20| 15  24", 11, 8},
        {10, "DPT  22| 17  23| 20  21| 12   8|-13  12|  4  14| 10  20| 15  24", 12, -13},
        {11, "DPT  22| 17  23| 20  21| 12  15|  6  12|  4  14| 10  20| 15 1000", 19, 1000},
        {11, "P24    |     28|     21|    100|      9|     23|     33|     08    25", 24, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        forecast_arrays a;
        ASSERT_TRUE(read_text(valid_text_with(c.k, c.row), a).temp_pop);
        EXPECT_EQ(temp_pop_block(a, c.k)[c.element], c.value);
    }
}

TEST(ReadTempPop, KeepsOnlyTheDewPointsAtMaximumAndMinimumTimes) {
    const char* row = "DPT  99 99 99 99 99 99 16 99 99 99 21 99 99 99 17 99 99 99 20 -9 -9";
    forecast_arrays a;
    ASSERT_TRUE(read_text(valid_text_with(2, row), a).temp_pop);
    EXPECT_EQ(elements(temp_pop_block(a, 2), 12), expected_temp_pop(2));
}

TEST(ReadTempPop, FailsAtTheFirstBadRowAndRecovers) {
    const std::string valid = file_text(valid_bulletins());
    struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"N/X only in the next bulletin", valid_text_without(1, "N/X")},
        // An extended bulletin has a "P12" row too: the search must stop at its header.
        {"P12 missing from the eighth", valid_text_without(7, "P12")},
        {"P24 missing from the twelfth", valid_text_without(11, "P24")},
        {"not a number",
         valid_text_with(3, "DPT  18 18 19 19 18 17 16 17 19 20 21 20 19 18 17 17 18 19  M 20 19")},
        {"beyond 32 bits",
         valid_text_with(5, "P12                     6           1           6 4294967296    12")},
        {"extended word for a value",
         valid_text_with(9, "X/N  38| 19  41| 23  36| 24  30| 12  27| 10  33| 16   M| 21  42")},
        {"ends inside the last row", valid.substr(0, valid.rfind("|     18"))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        forecast_arrays a;
        read_result r = read_text(c.text, a);
        ASSERT_TRUE(r.valid);
        EXPECT_FALSE(r.temp_pop);
        EXPECT_TRUE(read_text(valid, a).temp_pop);
    }
}

TEST(ReadTempPopAndSkyWind, EitherOrderGivesTheSameArrays) {
    scratch_file file(file_text(valid_bulletins()));
    forecast_arrays first, second;
    read_result r = read_file(file.path, first);
    ASSERT_TRUE(r.temp_pop && r.sky_wind);
    r = read_file(file.path, second, true);
    ASSERT_TRUE(r.temp_pop && r.sky_wind);
    EXPECT_TRUE(same_arrays(first, second));
}

// Text the readers must pass over, or a bulletin ending at its last value, changes nothing.
TEST(ReadTempPopAndSkyWind, PassOverForeignBulletinsAndShortEnds) {
    const std::vector<bulletin> all = valid_bulletins();
    forecast_arrays expected;
    read_result plain = read_text(file_text(all), expected);
    ASSERT_TRUE(plain.temp_pop && plain.sky_wind);

    std::vector<bulletin> foreign = all;
    bulletin ksux = valid_bulletin(3);
    ksux[0] = header_line("KSUX", "GFS", "3/04/2010", "1200");
    for (std::size_t i = 1; i < ksux.size(); ++i)
        std::replace(ksux[i].begin(), ksux[i].end(), '1', '9');
    foreign.insert(foreign.begin() + 5, ksux);

    // Bulletin k ends with its "P24" row, or with "P24" and then "WND", without climate
    // normals: the mark after the last value takes the next header's first letter, or meets
    // the end of the file, which then has no final line end either.
    auto ending = [&all](int k, bool wind_last) {
        std::vector<bulletin> b = all;
        std::string wind = b[k][row_index(b[k], "WND")];
        if (wind_last) b[k].erase(b[k].begin() + row_index(b[k], "WND"));
        b[k].resize(row_index(b[k], "P24") + 1);
        b[k].back().resize(b[k].back().rfind("18") + 2);
        if (wind_last) b[k].push_back(wind);
        std::string text = file_text(b);
        if (k == 11) text.pop_back();
        return text;
    };

    for (const std::string& text : {file_text(foreign), ending(8, false), ending(8, true),
                                    ending(11, false), ending(11, true)}) {
        forecast_arrays a;
        read_result r = read_text(text, a);
        EXPECT_TRUE(r.valid && r.temp_pop && r.sky_wind);
        EXPECT_TRUE(same_arrays(a, expected));
    }
}

TEST(ReadTempPopAndSkyWind, ReadsTheExampleFile) {
    forecast_arrays a;
    read_result r = read_file(VUZAZAV_SOURCE_DIR "/examples/bulletins.txt", a);
    ASSERT_TRUE(r.valid && r.temp_pop && r.sky_wind);
    EXPECT_EQ(a.eta_temp_pop[0].temp[0], 20);
    EXPECT_EQ(a.avn_temp_pop[3].temp[1], 41);       // KFSD, not the KSUX bulletin before it
    EXPECT_EQ(a.mrf_temp_pop[2].temp[9], 36);       // "36999999": normals missing
    EXPECT_EQ(a.mrf_temp_pop[3].dew_point[4], -13); // "8|-13"
    EXPECT_EQ(a.mrf_temp_pop[3].pop24[4], 21);
    EXPECT_EQ(a.eta_sky_wind[0].cloud[6], 1); // "FW"
    EXPECT_EQ(a.avn_sky_wind[3].speed[18], 15);
    EXPECT_EQ(a.mrf_sky_wind[3].speed[0], 13);
}

TEST(ReadTempPop, NbsRowsKeepHourTwelveApartAndOlderRowsAreRead) {
    std::vector<bulletin> all = blend_bulletins();
    all[2] = valid_bulletin(2);
    all[2][0] = header_line("KMHE", "NAM", "3/04/2010", "1200");
    forecast_arrays a;
    read_result r = read_text(file_text(all), a);
    ASSERT_TRUE(r.valid && r.temp_pop) << r.why.what;
    // TXN and P12 pass over the value at hour 12; DPT keeps the 7th, 11th, 15th, 19th.
    EXPECT_EQ(elements(temp_pop_block(a, 0), 12),
              (std::vector<std::int32_t>{49, 59, 47, 61, 45, 43, 43, 41, 71, 50, 54, 22}));
    // NBM 3 writes N/X; a NAM bulletin among NBS ones is read as MOS.
    EXPECT_EQ(elements(temp_pop_block(a, 1), 4), (std::vector<std::int32_t>{38, 43, 38, 40}));
    EXPECT_EQ(elements(temp_pop_block(a, 2), 4), (std::vector<std::int32_t>{17, 36, 19, 40}));
    EXPECT_TRUE(a.blend[1] && !a.blend[2]);
    // Hour 12 closes the bulletin date's daytime: the NBS's high and probability, and the
    // dew point, which MOS gives too.
    EXPECT_EQ(std::vector<std::int32_t>(a.eta_temp_pop[0].today, a.eta_temp_pop[0].today + 3),
              (std::vector<std::int32_t>{72, 56, 91}));
    EXPECT_EQ(std::vector<std::int32_t>(a.eta_temp_pop[2].today, a.eta_temp_pop[2].today + 3),
              (std::vector<std::int32_t>{999, 19, 999}));

    all[3].erase(all[3].begin() + row_index(all[3], "N/X"));
    r = read_text(file_text(all), a);
    EXPECT_FALSE(r.temp_pop);
    EXPECT_NE(r.why.what.find("bulletin 4 (KFSD NBM): no TXN or N/X row"), std::string::npos)
        << r.why.what;
}

static std::vector<std::int32_t> expected_sky_wind(int k) {
    if (k >= 8)
        return {10, 5, 0, 0, 5, 5, 10, 10, 10, 5, 0, 15 + k, 14, 12, 8, 10, 9, 13, 12, 15, 10, 11};
    return {10,     10, 7,  7,  3,  1,  0, 0, 1, 3,  3,  7, 7,  10, 10, 10, 7,  3,  3,
            15 + k, 33, 34, 34, 35, 36, 1, 2, 2, 3,  5,  7, 10, 12, 13, 15, 16, 17, 17,
            14,     15, 13, 10, 8,  7,  6, 7, 9, 11, 10, 8, 7,  7,  8,  10, 12, 14, 13};
}

TEST(ReadSkyWind, ReadsEachBlockFromItsOwnBulletin) {
    forecast_arrays a;
    ASSERT_TRUE(read_text(file_text(valid_bulletins()), a).sky_wind);
    for (int k = 0; k < bulletin_count; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(elements(sky_wind_block(a, k), k < 8 ? 57 : 22), expected_sky_wind(k));
    }
}

TEST(ReadSkyWind, CodesEveryCloudWord) {
    struct {
        int k;
        std::string word;
        std::int32_t code;
    } cases[] = {
        {0, "CL", 0}, {1, "FW", 1},   {2, "SC", 3},   {4, "BK", 7},  {7, "OV", 10},  {8, "CL", 0},
        {9, "PC", 5}, {10, "OV", 10}, {11, "CL|", 0}, {8, "PC|", 5}, {9, "OV|", 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        // The word is the fourth kept; in an extended row it stands where a bare word belongs.
        std::string row =
            c.k < 8
                ? "CLD  OV OV BK " + c.word + " SC FW CL CL FW SC SC BK BK OV OV OV BK SC SC FW CL"
                : "CLD  OV| OV  PC| PC  OV| PC  CL| " + c.word + "  PC| PC  OV| OV  OV| PC  CL";
        forecast_arrays a;
        ASSERT_TRUE(read_text(valid_text_with(c.k, row), a).sky_wind);
        EXPECT_EQ(sky_wind_block(a, c.k)[3], c.code);
    }
}

TEST(ReadSkyWind, FailsAtTheFirstBadRowAndRecovers) {
    const std::string valid = file_text(valid_bulletins());
    struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"CLD only in the next bulletin", valid_text_without(2, "CLD")},
        {"WND missing from the twelfth", valid_text_without(11, "WND")},
        {"unknown cloud word",
         valid_text_with(0, "CLD  OV OV BK BK SC FW CL CL FW SC SC BK BK OV OV OV BK SC XX FW CL")},
        {"barred word in a short row",
         valid_text_with(6,
                         "CLD  OV| OV BK BK SC FW CL CL FW SC SC BK BK OV OV OV BK SC SC FW CL")},
        {"short word in an extended row",
         valid_text_with(10, "CLD  OV| OV  PC| PC  OV| PC  CL| CL  PC| PC  OV| OV  OV| SC  CL")},
        {"beyond 32 bits",
         valid_text_with(
             7, "WSP  14 15 13 10 08 07 06 07 09 11 10 08 07 07 08 10 12 14 -2147483649 11")},
        {"not a number",
         valid_text_with(9, "WND   9| 12  11|  9  24| 14  12|  8  10|  9   M| 12  15| 10  11")},
        {"ends inside the last row", valid.substr(0, valid.rfind("| 10  11"))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        forecast_arrays a;
        read_result r = read_text(c.text, a);
        ASSERT_TRUE(r.valid);
        EXPECT_FALSE(r.sky_wind);
        EXPECT_TRUE(read_text(valid, a).sky_wind);
    }
}

TEST(ReadSkyWind, NbsRowsAreReadByColumns) {
    std::vector<bulletin> all = blend_bulletins();
    // Winds of 100 knots and more run together as sky covers of 100 do; a missing value is
    // -99 in every row.
    set_row(all[0], "WSP 100105 99  7110120  7  8  8  8  7  5  5  6  8 12 14 14 11  8  8  8  9");
    set_row(all[0], "WDR  17-99-99 14 18 18 17 17 15 15 17 21 24 25 26 27 28 29 30 30 30 32 32");
    forecast_arrays a;
    read_result r = read_text(file_text(all), a);
    ASSERT_TRUE(r.valid && r.sky_wind) << r.why.what;
    const short_sky_wind& kbkx = a.eta_sky_wind[0];
    EXPECT_EQ(std::vector<std::int32_t>(kbkx.speed, kbkx.speed + 7),
              (std::vector<std::int32_t>{100, 105, 99, 7, 110, 120, 7}));
    EXPECT_EQ(std::vector<std::int32_t>(kbkx.direction, kbkx.direction + 4),
              (std::vector<std::int32_t>{17, -99, -99, 14}));
    EXPECT_EQ(kbkx.speed[18], 11); // the 19th column, hour 60
    // "98100" is 98 then 100; "99100100" is 99, 100, 100.
    EXPECT_EQ(std::vector<std::int32_t>(a.eta_sky_wind[1].cloud + 6, a.eta_sky_wind[1].cloud + 10),
              (std::vector<std::int32_t>{88, 98, 100, 99}));
    EXPECT_EQ(std::vector<std::int32_t>(a.eta_sky_wind[2].cloud + 6, a.eta_sky_wind[2].cloud + 11),
              (std::vector<std::int32_t>{82, 99, 100, 100, 99}));
    // The AVN and MRF bulletins behind them are read as before.
    forecast_arrays today;
    ASSERT_TRUE(read_text(file_text(valid_bulletins()), today).sky_wind);
    for (int k = 4; k < 12; ++k) EXPECT_EQ(sky_wind_block(a, k), sky_wind_block(today, k)) << k;
}

TEST(ReadSkyWind, NbsColumnThatIsNoNumberIsRefused) {
    for (const char* row :
         {"SKY  57 67 66 SC", "WSP  17 18 1-8", "WDR  19 19 21-", "WSP  17 +18"}) {
        std::vector<bulletin> all = blend_bulletins();
        set_row(all[1], row);
        forecast_arrays a;
        const read_result r = read_text(file_text(all), a);
        const std::string text = row;
        EXPECT_EQ(r.why.what, "bulletin 2 (KHON NBM): the " + text.substr(0, 3) + " row holds \"" +
                                  text.substr(text.rfind(' ') + 1) + "\" where a " +
                                  (text[0] == 'S' ? "sky cover" : "whole number") + " belongs");
    }
}

namespace {

struct nbm_read {
    nbm_bulletins nbm;
    std::vector<fault> notes;
};

nbm_read read_nbm_text(const std::string& text) {
    std::istringstream in(text, std::ios::in | std::ios::binary);
    bulletin_layout layout{};
    fault why;
    nbm_read r{};
    EXPECT_TRUE(validate_bulletin_file(in, layout, why)) << why.what;
    read_nbm_rows(in, layout, r.nbm, r.notes);
    return r;
}

// Station s's value of row at forecast hour, or -1000 where it has none.
int nbm_at(const nbm_read& r, int s, nbm_row row, int hour) {
    const int i = (hour - 6) / 3;
    return r.nbm.station[s].present[row][i] ? r.nbm.station[s].value[row][i] : -1000;
}

int present_count(const nbm_read& r, int s, nbm_row row) {
    int n = 0;
    for (bool p : r.nbm.station[s].present[row]) n += p ? 1 : 0;
    return n;
}

} // namespace

TEST(ReadNbmRows, EveryRowUnderTheHourOfItsColumn) {
    const nbm_read r = read_nbm_text(file_text(blend_bulletins()));
    EXPECT_TRUE(r.notes.empty());
    for (bool given : r.nbm.given) EXPECT_TRUE(given);
    // KBKX, NBM 4.0: hourly rows from hour 6, 6-hourly from 6, 12-hourly from 12.
    const struct {
        nbm_row row;
        int hour, value;
    } kbkx[] = {
        {nbm_txn_row, 12, 72},   {nbm_txn_row, 24, 49},   {nbm_txn_row, 72, 44},
        {nbm_txn_row, 6, -1000}, {nbm_xnd_row, 12, 2},    {nbm_tmp_row, 6, 69},
        {nbm_tmp_row, 72, 45},   {nbm_tsd_row, 9, 3},     {nbm_dpt_row, 6, 57},
        {nbm_dsd_row, 12, 3},    {nbm_wsp_row, 6, 13},    {nbm_wsd_row, 18, 3},
        {nbm_gst_row, 6, 19},    {nbm_gst_row, 72, 11},   {nbm_gsd_row, 6, 5},
        {nbm_q06_row, 6, 5},     {nbm_q06_row, 9, -1000}, {nbm_q06_row, 12, 18},
        {nbm_q06_row, 72, 6},    {nbm_q12_row, 12, 23},   {nbm_q12_row, 6, -1000},
        {nbm_s06_row, 66, 0},    {nbm_t03_row, 12, 39},   {nbm_t06_row, 12, 48},
        {nbm_t12_row, 24, 39},   {nbm_pzr_row, 6, 0},     {nbm_psn_row, 6, 0},
        {nbm_ppl_row, 6, 0},     {nbm_pra_row, 6, 100},   {nbm_pra_row, 72, 100},
    };
    for (const auto& c : kbkx) {
        SCOPED_TRACE(std::to_string(c.row) + " at " + std::to_string(c.hour));
        EXPECT_EQ(nbm_at(r, 0, c.row, c.hour), c.value);
    }
    EXPECT_EQ(present_count(r, 0, nbm_q06_row), 12);
    EXPECT_EQ(present_count(r, 0, nbm_t12_row), 6);
    // KHON, NBM 3.2: N/X for TXN, "93100" as 93 and 100, and no spread rows, nor T06.
    EXPECT_EQ(nbm_at(r, 1, nbm_txn_row, 12), 41);
    EXPECT_EQ(nbm_at(r, 1, nbm_psn_row, 63), 93);
    EXPECT_EQ(nbm_at(r, 1, nbm_psn_row, 66), 100);
    EXPECT_EQ(nbm_at(r, 1, nbm_q06_row, 36), 34);
    for (nbm_row absent : {nbm_xnd_row, nbm_tsd_row, nbm_gsd_row, nbm_t06_row})
        EXPECT_EQ(present_count(r, 1, absent), 0) << absent;
}

TEST(ReadNbmRows, MarkersAbsentRowsAndNamBulletinsGiveNoValue) {
    std::vector<bulletin> all = blend_bulletins();
    set_row(all[0], "GST  19-99 15 10 11 10 11 11 12 11  9  7  5  8 11 13 19 21 17 11 11 10 11");
    set_row(all[1], "Q12         7           5          62         999         999          10");
    all[0].erase(all[0].begin() + row_index(all[0], "T12"));
    all[2] = valid_bulletin(2); // KMHE's NAM (ETA) bulletin
    const nbm_read r = read_nbm_text(file_text(all));
    EXPECT_TRUE(r.notes.empty());
    EXPECT_EQ(nbm_at(r, 0, nbm_gst_row, 6), 19);
    EXPECT_EQ(nbm_at(r, 0, nbm_gst_row, 9), -1000);
    EXPECT_EQ(nbm_at(r, 1, nbm_q12_row, 36), 62);
    EXPECT_EQ(nbm_at(r, 1, nbm_q12_row, 48), -1000);
    EXPECT_EQ(present_count(r, 0, nbm_t12_row), 0);
    EXPECT_FALSE(r.nbm.given[2]);
    for (int row = 0; row < nbm_row_count; ++row)
        EXPECT_EQ(present_count(r, 2, static_cast<nbm_row>(row)), 0);
    EXPECT_TRUE(r.nbm.given[3]);
}

TEST(ReadNbmRows, RowThatCannotBeReadIsLeftOutWithANote) {
    const struct {
        const char* row;
        const char* says;
    } cases[] = {
        {"GST  19 1x 15 10 11 10 11 11 12 11  9  7  5  8 11 13 19 21 17 11 11 10 11",
         "the GST row holds \"1x\" where whole numbers in columns belong"},
        // One column to the right of where the FHR row puts hour 6.
        {"GST   19 19 15", "the GST row's value 1 (19) stands under no FHR column"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        std::vector<bulletin> all = blend_bulletins();
        set_row(all[0], c.row);
        const nbm_read r = read_nbm_text(file_text(all));
        ASSERT_EQ(r.notes.size(), 1u);
        EXPECT_EQ(r.notes[0].what,
                  std::string("bulletin 1 (KBKX NBM): ") + c.says + "; its values are left out");
        EXPECT_GT(r.notes[0].position, 0);
        EXPECT_EQ(present_count(r, 0, nbm_gst_row), 0);
        EXPECT_EQ(nbm_at(r, 0, nbm_gsd_row, 6), 5);
    }
}

TEST(ReadNbmRows, RowsEndWithTheirBulletin) {
    // KHON has no XND row; the foreign bulletin right behind it, with no blank line, has one.
    std::vector<bulletin> all = blend_bulletins();
    bulletin foreign = blend_bulletin(0);
    foreign[0].replace(0, 4, "KXYZ");
    all[1].insert(all[1].end(), foreign.begin(), foreign.end());
    const nbm_read r = read_nbm_text(file_text(all));
    EXPECT_TRUE(r.notes.empty());
    EXPECT_EQ(present_count(r, 1, nbm_xnd_row), 0);
    EXPECT_EQ(nbm_at(r, 1, nbm_txn_row, 12), 41);
}

namespace {

// Everything the readers make of a file with a layout: values, row places, faults, notes.
struct reading {
    bool temp_pop = false, sky_wind = false;
    bulletin_values values;
    bulletin_rows rows;
    fault temp_pop_fault, sky_wind_fault;
    nbm_bulletins nbm;
    std::vector<fault> notes;
};

reading read_all(const std::string& text, const bulletin_layout& layout) {
    std::istringstream in(text, std::ios::in | std::ios::binary);
    reading r{};
    r.temp_pop = read_temp_pop(in, layout, r.values, r.rows, r.temp_pop_fault);
    r.sky_wind = read_sky_wind(in, layout, r.values, r.rows, r.sky_wind_fault);
    read_nbm_rows(in, layout, r.nbm, r.notes);
    return r;
}

std::string said(const fault& f) {
    return std::to_string(static_cast<int>(f.kind)) + " " + std::to_string(f.position) + " " +
           f.what;
}

std::string said(const reading& r) {
    std::string text = std::to_string(r.temp_pop) + std::to_string(r.sky_wind) + "\n" +
                       said(r.temp_pop_fault) + "\n" + said(r.sky_wind_fault) + "\n";
    for (const auto& bulletin_places : r.rows.row)
        for (const row_place& p : bulletin_places)
            text += std::to_string(p.label_at) + (p.label ? p.label : "-") +
                    std::to_string(p.first) + "/" + std::to_string(p.step) + " ";
    for (const fault& f : r.notes) text += "\n" + said(f);
    return text;
}

// Where label first stands as a word in text from start, a word starting before limit
// (none when negative); -1 where none does.
long long first_word(const std::string& text, long long start, long long limit,
                     const std::string& label) {
    auto white = [&text](long long i) {
        const char c = text[static_cast<std::size_t>(i)];
        return c == ' ' || (c >= '\t' && c <= '\r');
    };
    const long long size = static_cast<long long>(text.size());
    for (long long i = start; i < size && (limit < 0 || i < limit); ++i) {
        if (white(i) || (i > start && !white(i - 1))) continue;
        long long end = i;
        while (end < size && !white(end)) ++end;
        if (text.compare(static_cast<std::size_t>(i), static_cast<std::size_t>(end - i), label) ==
            0)
            return i;
    }
    return -1;
}

// The text with token put in at position.
std::string inserted(const std::string& text, std::size_t position, const std::string& token) {
    return text.substr(0, position) + token + text.substr(position);
}

// Validates text and, when it is valid, checks the validator's notes against a search of
// each body and requires the readers to read with them what they read without: the same
// values, row places and faults. False for a file the validator refuses.
bool reads_as_without_notes(const std::string& text, int count) {
    std::istringstream in(text, std::ios::in | std::ios::binary);
    bulletin_layout layout{};
    fault why;
    if (!validate_bulletin_file(in, layout, why, count)) return false;
    for (int k = 0; k < count; ++k) {
        const row_bounds body = bulletin_bounds(layout, k);
        for (int i = 0; i < body.noted; ++i)
            EXPECT_EQ(layout.first_label_at[k][i],
                      first_word(text, body.start, body.limit, noted_labels[i]))
                << "bulletin " << k + 1 << ", " << noted_labels[i];
    }
    bulletin_layout unnoted = layout;
    std::fill(std::begin(unnoted.noted_count), std::end(unnoted.noted_count), 0);
    const reading noted = read_all(text, layout), searched = read_all(text, unnoted);
    EXPECT_EQ(said(noted), said(searched));
    EXPECT_EQ(std::memcmp(&noted.values, &searched.values, sizeof noted.values), 0);
    EXPECT_EQ(std::memcmp(&noted.nbm, &searched.nbm, sizeof noted.nbm), 0);
    return true;
}

} // namespace

// The validator's notes of where the row labels stand send the readers straight to their
// rows; what they read must be what a search of each whole body finds. A reader goes on
// searching right where the values it took end, so each label of a bulletin's rows is put
// in at each of the last places of each of them, glued to what stands before it or not.
TEST(ReadersWithNotes, LabelsRightWhereARowIsLeft) {
    const std::vector<bulletin> mos = valid_bulletins(), blend = blend_bulletins();
    const std::pair<const std::vector<bulletin>*, int> bulletins[] = {
        {&mos, 1}, {&mos, 9}, {&blend, 0}, {&blend, 1}};
    for (const auto& [all, k] : bulletins) {
        std::vector<std::size_t> rows;
        std::vector<std::string> labels;
        for (std::size_t line = 1; line < (*all)[k].size(); ++line) {
            const std::string label = (*all)[k][line].substr(0, 3);
            if (std::find(std::begin(noted_labels), std::end(noted_labels), label) ==
                std::end(noted_labels))
                continue;
            rows.push_back(line);
            labels.push_back(label);
        }
        for (std::size_t line : rows) {
            const std::string& row = (*all)[k][line];
            for (std::size_t end = row.size() - 12; end <= row.size(); ++end)
                for (const std::string& label : labels) {
                    std::vector<bulletin> changed = *all;
                    changed[k][line] = inserted(row, end, label + (end % 2 ? " " : ""));
                    SCOPED_TRACE(changed[k][line]);
                    reads_as_without_notes(file_text(changed), bulletin_count);
                }
        }
    }
}

// The same for files of real layouts changed at random: labels and near misses put in
// before, after and inside rows, at the ends of bodies and of the file; rows dropped and
// doubled, files cut short.
TEST(ReadersWithNotes, ReadWhatAWholeSearchReads) {
    std::vector<bulletin> absent = valid_bulletins();
    for (int k : {2, 6, 11}) absent[k] = absent_bulletin(k);
    const std::string bases[] = {file_text(valid_bulletins()), file_text(blend_bulletins()),
                                 file_text(blend_bulletins(), "\r\n"), file_text(absent)};
    std::vector<std::string> tokens(std::begin(noted_labels), std::end(noted_labels));
    for (const char* miss : {"DPTX", "XDPT", "P1", "|P24", "N/X|", "WND|", "TMP"})
        tokens.emplace_back(miss);
    const char* const around[] = {"", " ", "\n", "  "};
    std::mt19937 random(22);
    auto pick = [&random](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    int compared = 0;
    for (int variant = 0; variant < 2000; ++variant) {
        std::string text = bases[pick(std::size(bases))];
        for (int change = 1 + static_cast<int>(pick(3)); change > 0; --change) {
            const std::string token = tokens[pick(tokens.size())];
            std::size_t at = pick(text.size());
            switch (pick(6)) {
            case 0: // anywhere
                text = inserted(text, at, around[pick(4)] + token + around[pick(4)]);
                break;
            case 1: // glued to the end of a word
                while (at < text.size() && text[at] != ' ' && text[at] != '\n') ++at;
                text = inserted(text, at, token + around[pick(4)]);
                break;
            case 2: // a line of its own, before a header, or at the end of the file
                at = pick(3) == 0 ? text.size() : text.rfind('\n', at);
                at = at == std::string::npos ? 0 : at;
                text = inserted(text, at, "\n" + token + around[pick(4)]);
                break;
            case 3: { // a line dropped or doubled
                const std::size_t start = text.rfind('\n', at), end = text.find('\n', at);
                if (start == std::string::npos || end == std::string::npos) break;
                const std::string line = text.substr(start, end - start);
                text.erase(start, end - start);
                if (pick(2)) text = inserted(text, text.rfind('\n', pick(text.size())) + 1, line);
                break;
            }
            case 4: // cut short
                text.resize(text.size() - pick(std::min<std::size_t>(text.size(), 300)));
                break;
            default: // white space made a word's character, or the other way round
                text[at] = text[at] == ' ' ? 'X' : ' ';
            }
        }
        SCOPED_TRACE("variant " + std::to_string(variant));
        if (reads_as_without_notes(text, variant % 5 ? bulletin_count : short_range_bulletin_count))
            ++compared;
        if (HasFailure()) break;
    }
    EXPECT_GT(compared, 1000);
}
