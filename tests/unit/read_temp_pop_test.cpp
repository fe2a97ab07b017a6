#include "ingest/read_temp_pop.h"

#include "bulletin_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

static std::vector<std::int32_t> expected_block(int k) {
    if (k < 8) return {15 + k, 36, 19, 40, 16, 21, 17, 20, 6, 1, 6, 16};
    return {15 + k, 12, 10, 16, 21, 30, 27, 33, 38, 42, 12, 6, 4,
            10,     15, 15, 12, 14, 20, 24, 10, 9,  23, 33, 18};
}

TEST(ReadTempPop, ReadsEachBlockFromItsOwnBulletin) {
    forecast_arrays a;
    ASSERT_TRUE(read_text(file_text(valid_bulletins()), a).temp_pop);
    for (int k = 0; k < bulletin_count; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(elements(temp_pop_block(a, k), k < 8 ? 12 : 25), expected_block(k));
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
        {8, "X/N  38| 19  41| 23  36| 23 1000| 12  27| 10  33| 16  38| 21  42", 5, 1000},
        {9, "X/N  38| 19  67|-12  36| 24  30| 12  27| 10  33| 16  38| 21  42", 0, 24},
        {10, "DPT  22| 17  23| 20  21| 12   8|-13  12|  4  14| 10  20| 15  24", 15, 8},
        {10, "DPT  22| 17  23| 20  21| 12   8|-13  12|  4  14| 10  20| 15  24", 11, -13},
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
    EXPECT_EQ(elements(temp_pop_block(a, 2), 12), expected_block(2));
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
    EXPECT_EQ(a.avn_temp_pop[3].temp[1], 41);           // KFSD, not the KSUX bulletin before it
    EXPECT_EQ(a.mrf_temp_pop[2].high_temp[4], 36);      // "36999999": normals missing
    EXPECT_EQ(a.mrf_temp_pop[3].low_dew_point[2], -13); // "8|-13"
    EXPECT_EQ(a.mrf_temp_pop[3].pop24[4], 21);
    EXPECT_EQ(a.eta_sky_wind[0].cloud[6], 1); // "FW"
    EXPECT_EQ(a.avn_sky_wind[3].speed[18], 15);
    EXPECT_EQ(a.mrf_sky_wind[3].speed[0], 13);
}
