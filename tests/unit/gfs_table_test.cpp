#include "gfs/gfs_table.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A row as the file holds it: hour 6, then hPa, four temperatures in Celsius, dm, %, mm,
// %, degrees and knots.
const gfs_row file_row = {6, 1013.25, 10, 5, -2, -20, 552, 80, 2.54, 50, 270, 10};

// The table lines made from rows in the file's units, as the run makes them.
std::vector<std::string> table_lines(gfs_row* rows, std::ostringstream& out) {
    gfs_model model;
    for (int i = 0; i < gfs_row_count; ++i) model.rows[i] = rows[i];
    gfs_table_row table[gfs_row_count];
    fault why;
    EXPECT_TRUE(compute_gfs_table(model, table, why)) << why.what;
    write_gfs_table(out, table);
    std::vector<std::string> lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> table_lines(gfs_row* rows) {
    std::ostringstream out;
    return table_lines(rows, out);
}

// One column of a line, without its padding.
std::string field(const std::string& line, std::string::size_type start,
                  std::string::size_type width) {
    std::string text = line.substr(start, width);
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

// clang-format off
const std::string header_line =
    "HR   " "Pressure   " "2m Temp     " "850MB Temp   " "700MB Temp   " "500MB Temp   "
    "Thickness   " "Hum %     " "Precip        " "Cld Cover  " "Wind Dir    " "Wind Speed    "
    "Adj         " "+           " "-           ";
// clang-format on

} // namespace

TEST(WriteGfsTable, WritesFileValuesInOutputUnits) {
    gfs_row rows[gfs_row_count];
    for (gfs_row& r : rows) r = file_row;
    std::vector<std::string> lines = table_lines(rows);
    ASSERT_EQ(lines.size(), 49u);
    EXPECT_EQ(lines[0], header_line);
    EXPECT_EQ(lines[0].size(), 176u);
    // clang-format off
    EXPECT_EQ(lines[1],
              "6    " "29.9213    " "50          " "41           " "28.4         " "-4           "
              "552         " "80        " "0.1           " "50         " "270         "
              "11.5078       " "5.3086      " "55.3086     " "44.6914     ");
    // clang-format on
    EXPECT_EQ(lines[48], lines[1]);
}

TEST(WriteGfsTable, AdjustmentIsADifferenceInFahrenheit) {
    // Calm, saturated air with no lapse: only the wind term, 3 degrees Celsius.
    gfs_row rows[gfs_row_count];
    for (gfs_row& r : rows) r = {0, 1000, 0, 0, 0, 0, 540, 100, 0, 100, 0, 0};
    std::vector<std::string> lines = table_lines(rows);
    ASSERT_EQ(lines.size(), 49u);
    EXPECT_EQ(field(lines[1], 140, 12), "5.4");
    EXPECT_EQ(field(lines[1], 152, 12), "37.4");
    EXPECT_EQ(field(lines[1], 164, 12), "26.6");
}

TEST(WriteGfsTable, PrecipitationInGeneralNotation) {
    gfs_row rows[gfs_row_count];
    for (gfs_row& r : rows) r = file_row;
    rows[0].precip = 0;
    rows[1].precip = 0.01;
    rows[2].precip = 0.001;
    std::vector<std::string> lines = table_lines(rows);
    ASSERT_EQ(lines.size(), 49u);
    EXPECT_EQ(field(lines[1], 89, 14), "0");
    EXPECT_EQ(field(lines[2], 89, 14), "0.000393701");
    EXPECT_EQ(field(lines[3], 89, 14), "3.93701e-05");
}

TEST(WriteGfsTable, LongItemIsWrittenWhole) {
    gfs_row rows[gfs_row_count];
    for (gfs_row& r : rows) r = file_row;
    rows[0].hour = 1234567;
    std::vector<std::string> lines = table_lines(rows);
    ASSERT_EQ(lines.size(), 49u);
    EXPECT_EQ(lines[1].substr(0, 18), "1234567"
                                      "29.9213    ");
    EXPECT_EQ(lines[1].size(), 178u);
}

TEST(WriteGfsTable, EarlierStreamFormatDoesNotLeakIn) {
    gfs_row rows[gfs_row_count];
    for (gfs_row& r : rows) r = file_row;
    std::ostringstream out;
    out << std::fixed << std::setprecision(2) << std::right;
    std::vector<std::string> lines = table_lines(rows, out);
    ASSERT_EQ(lines.size(), 49u);
    EXPECT_EQ(lines[0], header_line);
    EXPECT_EQ(lines[1].substr(0, 16), "6    "
                                      "29.9213    ");
}
