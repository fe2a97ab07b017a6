#include "arith/unit_conversions.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

// The text printf's %g gives, which is what the tables show.
static std::string g6(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

TEST(UnitConversions, KnownValues) {
    EXPECT_EQ(celsius_to_fahrenheit(-40), -40);
    EXPECT_EQ(celsius_to_fahrenheit(0), 32);
    EXPECT_EQ(celsius_to_fahrenheit(100), 212);
    EXPECT_EQ(hpa_to_inhg(1013.25), 1013.25 / 33.86388158);
    EXPECT_EQ(g6(hpa_to_inhg(1013.25)), "29.9213");
    EXPECT_EQ(mm_to_inches(25.4), 1);
    EXPECT_EQ(g6(mm_to_inches(0.01)), "0.000393701");
    EXPECT_EQ(g6(mm_to_inches(0.001)), "3.93701e-05");
    EXPECT_DOUBLE_EQ(knots_to_mph(10), 11.5077945);
    EXPECT_EQ(g6(knots_to_mph(10)), "11.5078");
}
