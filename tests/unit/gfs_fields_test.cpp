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
        {100000, 273.11, 99.5, 1000, 0, 100},    // -0.04 C is 0.0, not -0.0
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

TEST(MakeGfsRows, RefusesWhatCannotBeWeatherAndTakesANegativeBucketAsNone) {
    struct {
        const char* what;
        int field;
        double value;
        const char* says; // "" for rows made
    } const cases[] = {
        {"humidity", field_rh2m, 250, "hour 6: 2 m relative humidity 250 % is outside 0 to 100 %"},
        {"cloud", field_tcc6, -50, "hour 6: 6 h average total cloud -50 % is outside"},
        {"wind", field_u10, 1e200,
         "hour 6: 10 m wind comes out as no finite number from 10 m u-wind 1e+200 and 10 m "
         "v-wind 0"},
        {"temperature", field_t2m, 1e308, "hour 6: 2 m temperature comes out as no finite"},
        {"negative bucket", field_tp6, -5, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto values = every_hour(101325, 273.15, 50, 0, 0);
        values->value[0][c.field] = c.value;
        std::vector<std::string> notes;
        fault why;
        gfs_row rows[gfs_row_count];
        const bool made = make_gfs_rows(*values, rows, notes, why);
        EXPECT_EQ(made, !*c.says);
        EXPECT_EQ(why.what.rfind(c.says, 0), 0u) << why.what;
        if (made) {
            EXPECT_EQ(rows[0].precip, 0.0);
            ASSERT_EQ(notes.size(), 1u);
            EXPECT_EQ(notes[0], "hour 6: the 6 h precipitation -5 mm is taken as 0");
        }
    }
}
