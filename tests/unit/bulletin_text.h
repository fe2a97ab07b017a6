#pragma once

// Bulletin files for the ingest tests: twelve valid bulletins laid out as real guidance
// bulletins, which a test edits one row at a time before writing them to a scratch file.

#include "ingest/bulletin_layout.h"
#include "ingest/bulletin_values.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

// One bulletin, line by line; line 0 is the header.
using bulletin = std::vector<std::string>;

inline std::string header_line(const std::string& station, const std::string& model,
                               const std::string& date, const std::string& cycle) {
    std::string head = station + "   " + model + " MOS GUIDANCE";
    std::string pad(head.size() + date.size() < 36 ? 36 - head.size() - date.size() : 1, ' ');
    return head + pad + date + "  " + cycle + " UTC";
}

// Bulletin k (0-11) of the valid file: ETA, then AVN, then MRF for the four stations. The
// first N/X and WDR values and the 84-hour X/N and 72-hour WND values are 15 + k, so a
// block taken from the wrong bulletin shows.
inline bulletin valid_bulletin(int k) {
    const char* const stations[4] = {"KBKX", "KHON", "KMHE", "KFSD"};
    const std::string mark = std::to_string(15 + k);
    if (k < 8)
        return {
            header_line(stations[k % 4], k < 4 ? "ETA" : "AVN", "3/04/2010", "1200"),
            "DT /MAR   4/MAR   5                /MAR   6                /MAR   7",
            "HR   18 21 00 03 06 09 12 15 18 21 00 03 06 09 12 15 18 21 00 06 12",
            "N/X                    " + mark + "          36          19          40    22",
            "TMP  31 33 30 26 23 21 19 25 33 35 32 27 24 22 20 27 36 39 35 27 23",
            "DPT  18 18 19 19 18 17 16 17 19 20 21 20 19 18 17 17 18 19 20 20 19",
            "CLD  OV OV BK BK SC FW CL CL FW SC SC BK BK OV OV OV BK SC SC FW CL",
            "WDR  " + mark + " 33 34 34 35 36 01 02 02 03 05 07 10 12 13 15 16 17 17 18 18",
            "WSP  14 15 13 10 08 07 06 07 09 11 10 08 07 07 08 10 12 14 13 11 10",
            "P06         5     3     2     0     0     1     4     8    12 10  6",
            "P12                     6           1           6          16    12",
            "Q06         0     0     0     0     0     0     0     0     0  0  0",
            "Q12                     0           0           0           0     0",
            "T06      0/ 0  0/ 0  0/ 0  0/ 0  0/ 0  0/ 0  0/ 0  0/ 1  1/ 2  0/ 0",
            "T12            0/ 0        0/ 0        0/ 1        1/ 2     0/ 0",
            "POZ   2  2  3  3  3  2  2  2  3  3  4  4  5  5  5  4  3  3  4  4  5",
            "POS  92 94 95 96 97 98 98 97 90 85 86 90 93 95 96 94 88 84 85 90 93",
            "TYP   S  S  S  S  S  S  S  S  S  S  S  S  S  S  S  S  S  S  S  S  S",
            "SNW                     0                       0                 0",
            "CIG   6  6  7  7  8  8  8  8  8  8  8  7  7  6  6  6  7  8  8  8  8",
            "VIS   7  7  7  7  7  7  7  7  7  7  7  7  7  7  7  7  7  7  7  7  7",
            "OBV   N  N  N  N  N  N  N  N  N  N  N  N  N  N  N  N  N  N  N  N  N",
        };
    return {
        header_line(stations[k % 4], "MRF", "3/04/2010", "0000"),
        "FHR  24| 36  48| 60  72| 84  96|108 120|132 144|156 168|180 192",
        "THU  04| FRI 05| SAT 06| SUN 07| MON 08| TUE 09| WED 10| THU 11 CLIMO",
        "X/N  38| 19  41| 23  36| " + mark + "  30| 12  27| 10  33| 16  38| 21  42 17 38",
        "TMP  33| 22  38| 26  33| 18  28| 14  25| 13  30| 19  35| 24  39",
        "DPT  22| 17  23| 20  21| 12  15|  6  12|  4  14| 10  20| 15  24",
        "CLD  OV| OV  PC| PC  OV| PC  CL| CL  PC| PC  OV| OV  OV| PC  CL",
        "WND   9| 12  11|  9  " + mark + "| 14  12|  8  10|  9  13| 12  15| 10  11",
        "P12  10| 24  18| 15  12|  8   5|  4   9| 12  20| 25  22| 14   9 17 15",
        "P24    |     28|     21|     10|      9|     23|     33|     18    25",
        "Q12   0|  0   0|  0   0|  0   0|  0   0|  0   0|  0    |",
        "Q24    |      0|      0|      0|      0|      0|       |",
        "T12   0|  0   0|  0   0|  0   0|  0   0|  0   1|  1   0|  0   0",
        "T24    |  0    |  0    |  0    |  0    |  1    |  1    |  0",
        "PZP   6|  9   7|  5   4|  3   4|  5   6|  8   9|  7   6|  5   4",
        "PSN  55| 68  60| 52  74| 80  85| 88  90| 76  64| 58  60| 70  75",
        "PRS  12| 10   9| 11   8|  5   4|  3   3|  6   8| 10  12|  9   7",
        "TYP   S|  S   S|  S   S|  S   S|  S   S|  S   S| RS  RS|  S   S",
        "SNW    |      1|      0|      0|      0|      1|       |",
    };
}

// Bulletin k as written when its station was not among the products.
inline bulletin absent_bulletin(int k) {
    return {valid_bulletin(k)[0], absent_body};
}

inline std::vector<bulletin> valid_bulletins() {
    std::vector<bulletin> all;
    for (int k = 0; k < 12; ++k) all.push_back(valid_bulletin(k));
    return all;
}

// Real 1200 UTC NBS bulletins renamed to the four stations: KBKX NBM 4.0 (TXN), the
// others NBM 3.2 (N/X, sky covers of 100 run together), KHON without its version word.
inline bulletin blend_bulletin(int s) {
    const char* const names[4] = {"kbkx", "khon", "kmhe", "kfsd"};
    std::ifstream in(std::string(VUZAZAV_SOURCE_DIR) + "/tests/data/nbs/" + names[s] + ".txt");
    bulletin b;
    for (std::string line; std::getline(in, line);) b.push_back(line);
    return b;
}

// The valid file with NBS bulletins in places 1 to 4.
inline std::vector<bulletin> blend_bulletins() {
    std::vector<bulletin> all = valid_bulletins();
    for (int s = 0; s < 4; ++s) all[s] = blend_bulletin(s);
    return all;
}

// Index of the row whose first word is label, or the row count when there is none.
inline std::size_t row_index(const bulletin& b, const std::string& label) {
    std::size_t i = 0;
    while (i < b.size() && b[i].compare(0, label.size() + 1, label + " ") != 0) ++i;
    return i;
}

// Puts row in place of the row of b with the same label.
inline void set_row(bulletin& b, const std::string& row) {
    std::size_t i = row_index(b, row.substr(0, row.find(' ')));
    ASSERT_LT(i, b.size()) << row;
    b[i] = row;
}

// The bulletins one after another, each line ending in end, a blank line between them.
inline std::string file_text(const std::vector<bulletin>& bulletins,
                             const std::string& end = "\n") {
    std::string text;
    for (const bulletin& b : bulletins) {
        if (!text.empty()) text += end;
        for (const std::string& line : b) text += line + end;
    }
    return text;
}

// The valid file with row in place of the row of the same label in bulletin k.
inline std::string valid_text_with(int k, const std::string& row) {
    std::vector<bulletin> all = valid_bulletins();
    set_row(all[k], row);
    return file_text(all);
}

// The valid file without the row labelled label in bulletin k.
inline std::string valid_text_without(int k, const std::string& label) {
    std::vector<bulletin> all = valid_bulletins();
    all[k].erase(all[k].begin() + row_index(all[k], label));
    return file_text(all);
}

// A file in the temporary directory, under a name no other test run uses, removed when the
// variable goes.
struct scratch_file {
    std::string path;
    explicit scratch_file(const std::string& text) {
        static int count = 0;
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::random_device random;
        path = (std::filesystem::path(::testing::TempDir()) /
                ("vuzazav_" + std::string(test ? test->name() : "test") + "_" +
                 std::to_string(++count) + "_" + std::to_string(random()) + ".txt"))
                   .string();
        std::ofstream out(path, std::ios::binary);
        out << text;
    }
    ~scratch_file() {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
    scratch_file(const scratch_file&) = delete;
    scratch_file& operator=(const scratch_file&) = delete;
};

// The values of one forecast run.
using forecast_arrays = bulletin_values;

// What the validator and the two readers said about one file, and the fault of the first
// that refused it.
struct read_result {
    bool valid, temp_pop, sky_wind;
    fault why;
};

// An element no reader stores, so that one left unwritten shows.
inline constexpr std::int32_t unwritten = -77777;

template <class Block> void fill_blocks(Block* blocks, std::int32_t value) {
    std::int32_t* first = reinterpret_cast<std::int32_t*>(blocks);
    std::fill(first, first + station_count * sizeof *blocks / sizeof value, value);
}

// Validates the stream and, when it is valid, runs both readers on it.
inline read_result read_stream(std::istream& in, forecast_arrays& a, bool sky_wind_first = false) {
    for (auto* blocks : {a.eta_temp_pop, a.avn_temp_pop}) fill_blocks(blocks, unwritten);
    for (auto* blocks : {a.eta_sky_wind, a.avn_sky_wind}) fill_blocks(blocks, unwritten);
    fill_blocks(a.mrf_temp_pop, unwritten);
    fill_blocks(a.mrf_sky_wind, unwritten);
    std::fill(std::begin(a.blend), std::end(a.blend), false);
    bulletin_layout layout{};
    read_result r{false, false, false, {}};
    r.valid = validate_bulletin_file(in, layout, r.why);
    if (!r.valid) return r;
    bulletin_rows rows;
    fault sky_wind_fault;
    if (sky_wind_first) r.sky_wind = read_sky_wind(in, layout, a, rows, sky_wind_fault);
    r.temp_pop = read_temp_pop(in, layout, a, rows, r.why);
    if (!sky_wind_first) r.sky_wind = read_sky_wind(in, layout, a, rows, sky_wind_fault);
    if (r.temp_pop) r.why = sky_wind_fault;
    return r;
}

inline read_result read_file(const std::string& path, forecast_arrays& a,
                             bool sky_wind_first = false) {
    std::ifstream in(path, std::ios::in | std::ios::binary);
    return read_stream(in, a, sky_wind_first);
}

inline read_result read_text(const std::string& text, forecast_arrays& a) {
    std::istringstream in(text, std::ios::in | std::ios::binary);
    return read_stream(in, a);
}

// A block's values in the order its rows give them, member after member.
template <class Block> std::vector<std::int32_t> flattened(const Block& b) {
    static_assert(sizeof b % sizeof(std::int32_t) == 0, "blocks hold 32-bit values only");
    const std::int32_t* first = reinterpret_cast<const std::int32_t*>(&b);
    return std::vector<std::int32_t>(first, first + sizeof b / sizeof(std::int32_t));
}

// The block of bulletin k (0-11) in the temp/pop or the sky/wind values.
inline std::vector<std::int32_t> temp_pop_block(const forecast_arrays& a, int k) {
    return k < 4   ? flattened(a.eta_temp_pop[k])
           : k < 8 ? flattened(a.avn_temp_pop[k - 4])
                   : flattened(a.mrf_temp_pop[k - 8]);
}
inline std::vector<std::int32_t> sky_wind_block(const forecast_arrays& a, int k) {
    return k < 4   ? flattened(a.eta_sky_wind[k])
           : k < 8 ? flattened(a.avn_sky_wind[k - 4])
                   : flattened(a.mrf_sky_wind[k - 8]);
}

inline bool same_arrays(const forecast_arrays& x, const forecast_arrays& y) {
    return std::memcmp(&x, &y, sizeof x) == 0;
}

inline std::vector<std::int32_t> elements(const std::vector<std::int32_t>& block, int count) {
    return std::vector<std::int32_t>(block.begin(), block.begin() + count);
}
