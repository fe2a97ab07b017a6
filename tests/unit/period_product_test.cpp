#include "pointforecast/period_product.h"

#include "pointforecast/compute_city_forecast.h"

#include "bulletin_text.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

std::string product_of(const std::string& text, double weight, loaded_bulletins& loaded) {
    std::istringstream in(text, std::ios::in | std::ios::binary);
    fault why;
    city_forecast forecast;
    EXPECT_TRUE(load_bulletin_file(in, "week.txt", loaded, why)) << why.what;
    EXPECT_TRUE(compute_city_forecast(loaded.values, weight, forecast, why)) << why.what;
    return period_product(loaded, weight, forecast_periods(loaded, forecast, flag_limits{}));
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool has_line_starting(const std::vector<std::string>& lines, const std::string& start) {
    for (const std::string& line : lines)
        if (line.compare(0, start.size(), start) == 0) return true;
    return false;
}

} // namespace

// The NBS test bulletins (NBM 4.0 and 3.2 products of other dates, renamed) disagree with
// the MOS ones by tens of degrees: a product full of flags and one missing station.
TEST(PeriodProduct, AsciiLinesOfEightyWithMissingStationsAndFlags) {
    std::vector<bulletin> all = blend_bulletins();
    set_row(all[1], "N/X        41          38         -99          38          40          34");
    loaded_bulletins loaded;
    const std::string text = product_of(file_text(all), 0.7, loaded);
    const std::vector<std::string> lines = lines_of(text);
    for (const std::string& line : lines) {
        EXPECT_LE(line.size(), 80u) << line;
        for (char c : line) EXPECT_TRUE(c >= ' ' && c <= '~') << line;
    }
    EXPECT_EQ(lines[2],
              "Guidance: NBM V4.0 NBS/NBM NBS/NBM V3.2 NBS 1200 UTC 3/04/2010, AVN MOS 1200");
    EXPECT_EQ(lines[3], "    UTC, MRF MOS 0000 UTC");
    EXPECT_EQ(lines[4], "Weight: NBM 0.70, AVN MOS 0.30");
    EXPECT_TRUE(has_line_starting(lines, "Today: 6 AM to 6 PM Thu Mar 4 CST"));
    EXPECT_TRUE(has_line_starting(lines, "    High 52 (NBM alone)."));
    EXPECT_TRUE(has_line_starting(
        lines, "Friday high           NBM         59    M   44   43    50.2     46"));
    EXPECT_TRUE(has_line_starting(lines, "Flags (the numbers above stand"));
    EXPECT_TRUE(has_line_starting(lines, "  Friday high: NBM "));
}
