#include "ingest/read_sky_wind.h"

#include "bulletin_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

static std::vector<std::int32_t> expected_block(int k) {
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
        EXPECT_EQ(elements(sky_wind_block(a, k), k < 8 ? 57 : 22), expected_block(k));
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
