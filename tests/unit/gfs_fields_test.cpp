#include "grib/gfs_fields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

// Every field of every hour at the values given, in the messages' units.
std::unique_ptr<point_values> every_hour(double pa, double kelvin, double percent, double u,
                                         double v) {
    auto values = std::make_unique<point_values>();
    for (int r = 0; r < gfs_row_count; ++r) {
        const double fields[gfs_field_count] = {
            pa, kelvin, kelvin, kelvin, kelvin, 5600.04, 120, percent, 0.04, 0, percent, u, v};
        for (int f = 0; f < gfs_field_count; ++f) {
            values->value[r][f] = fields[f];
            values->have[r][f] = f != field_tp_total;
        }
    }
    return values;
}

} // namespace

TEST(MakeGfsRows, ConvertsAndRoundsDecimalTiesAwayFromZeroWithoutNegativeZero) {
    struct {
        double pa, kelvin, percent;
        double hpa, celsius, rounded_percent;
    } const cases[] = {
        {101325, 270.4, 40.5, 1013.3, -2.8, 41}, // ties a hair off after the conversion
        {100000, 273.11, -0.5, 1000, 0, -1},     // -0.04 C is 0.0, not -0.0
    };
    for (const auto& c : cases) {
        std::vector<std::string> notes;
        fault why;
        gfs_row rows[gfs_row_count];
        ASSERT_TRUE(make_gfs_rows(*every_hour(c.pa, c.kelvin, c.percent, 0, 0), rows, notes, why));
        EXPECT_EQ(rows[0].mslp, c.hpa);
        EXPECT_EQ(rows[0].t2m, c.celsius);
        EXPECT_EQ(std::signbit(rows[0].t2m), c.celsius < 0);
        EXPECT_EQ(rows[0].rh, c.rounded_percent);
        EXPECT_EQ(rows[0].thickness, 548.0);
    }
}
