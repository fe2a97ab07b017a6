#include "chart/verify_chart.h"
#include "count_of.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

namespace {

// A month of forecasts: the issued blend's errors grow by day, the lows' from 2.1 and the
// highs' from 3.1; the guidances and the fitted blend have days 1 and 2.
verify_chart_input full_month() {
    verify_chart_input in{
        "30 forecasts issued 2026-11-01 to 2026-11-30", "NBM", "GFS", 0.62, {}, {}, {}, {}, {}};
    for (int p = 0; p < 2; ++p)
        for (int d = 0; d < 7; ++d) {
            in.issued[p][d] = 2.1 + p + 0.5 * d;
            in.first[p][d] = d < 2 ? 2.4 + p : NAN;
            in.second[p][d] = d < 2 ? 2.8 + p : NAN;
            in.fitted[p][d] = d < 2 ? 2.0 + p : NAN;
            in.pairs[p][d] = 29;
        }
    return in;
}

std::string chart_of(const verify_chart_input& in) {
    std::ostringstream out;
    fault why;
    EXPECT_TRUE(write_verify_chart(out, in, why)) << why.what;
    return out.str();
}

// The text of the panel with this id, to the next panel or the end.
std::string panel_of(const std::string& svg, const std::string& id) {
    std::size_t at = svg.find("id=\"" + id + "\"");
    if (at == std::string::npos) return "";
    return svg.substr(at, svg.find("class=\"panel\"", at + 20) - at);
}

} // namespace

TEST(WriteVerifyChart, DrawsEverySeriesInItsOwnPanel) {
    std::string svg = chart_of(full_month());
    EXPECT_EQ(count_of(svg, "<g"), count_of(svg, "</g>"));
    for (const char* id : {"low", "high"}) {
        std::string panel = panel_of(svg, id);
        EXPECT_EQ(count_of(panel, "class=\"issued\" data-day="), 7u) << id;
        EXPECT_EQ(count_of(panel, "class=\"first\" data-day="), 2u) << id;
        EXPECT_EQ(count_of(panel, "class=\"second\" data-day="), 2u) << id;
        EXPECT_EQ(count_of(panel, "class=\"fitted\" data-day="), 2u) << id;
        EXPECT_NE(panel.find(">blend at NBM weight 0.62<"), std::string::npos) << id;
    }
    // The lows and highs do not trade places, and errors are labelled in tenths.
    EXPECT_NE(panel_of(svg, "low").find("data-day=\"7\" data-value=\"5.1\""), std::string::npos);
    EXPECT_NE(panel_of(svg, "high").find("data-day=\"7\" data-value=\"6.1\""), std::string::npos);
    EXPECT_NE(panel_of(svg, "high").find(">6.1</text>"), std::string::npos);
    EXPECT_NE(svg.find("day 1 29/29"), std::string::npos);
}

TEST(WriteVerifyChart, MissingErrorsLeaveGapsAndNoMarks) {
    verify_chart_input in = full_month();
    in.issued[1][4] = NAN;
    for (auto& row : in.second)
        for (double& v : row) v = NAN;
    std::string svg = chart_of(in);
    std::string high = panel_of(svg, "high");
    EXPECT_EQ(count_of(high, "class=\"issued\" data-day="), 6u);
    EXPECT_EQ(high.find("class=\"issued\" data-day=\"5\""), std::string::npos);
    EXPECT_EQ(count_of(high, "class=\"issued-line\""), 2u);
    EXPECT_EQ(count_of(svg, "class=\"second"), 0u);
    EXPECT_NE(svg.find("A day without an issued blend mark had no pairs."), std::string::npos);

    // Nothing at all to show is still a chart, on a scale of 0 to 1.
    for (auto* table : {&in.issued, &in.first, &in.fitted})
        for (auto& row : *table)
            for (double& v : row) v = NAN;
    svg = chart_of(in);
    EXPECT_EQ(count_of(svg, "data-day="), 0u);
    EXPECT_EQ(count_of(svg, "<polyline"), 0u);
    EXPECT_EQ(count_of(svg, "class=\"y-tick\""), 6u);
    EXPECT_EQ(count_of(svg, ">1.0</text>"), 2u);
    EXPECT_EQ(count_of(svg, "no pairs to score"), 2u);
}

TEST(WriteVerifyChart, NoWeightNoFittedSeries) {
    verify_chart_input in = full_month();
    in.weight = NAN;
    std::string svg = chart_of(in);
    EXPECT_EQ(count_of(svg, "class=\"fitted"), 0u);
    EXPECT_EQ(count_of(svg, ">blend at "), 0u);
}

TEST(WriteVerifyChart, RefusesAnErrorNoChartCanShowWritingNothing) {
    std::ostringstream out;
    fault why;
    verify_chart_input in = full_month();
    in.first[1][1] = -0.5;
    EXPECT_FALSE(write_verify_chart(out, in, why));
    EXPECT_EQ(why.kind, fault_kind::refused_input);
    EXPECT_EQ(why.what,
              "the mean absolute error of the NBM guidance's high on day 2 is -0.5, no error to "
              "chart");
    in = full_month();
    in.issued[0][6] = INFINITY;
    EXPECT_FALSE(write_verify_chart(out, in, why));
    in = full_month();
    in.weight = -INFINITY;
    EXPECT_FALSE(write_verify_chart(out, in, why));
    EXPECT_EQ(out.str(), "");
}
