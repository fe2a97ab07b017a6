#include "grib/regular_grid.h"

#include <gtest/gtest.h>

TEST(RegularGrid, GlobalGridsFindTheCityWhetherOrNotTheyRepeatTheirFirstMeridian) {
    // GFS's 0.25 degree grid from 90 N, and the same grid closed by its first meridian again
    // at 360, with and without the increment given.
    struct {
        const char* what;
        long ni;
        double last_longitude, increment;
    } const cases[] = {
        {"plain", 1440, 359.75, 0.25},
        {"plain, no increment", 1440, 359.75, 0},
        {"repeated meridian", 1441, 360, 0.25},
        {"repeated meridian, no increment", 1441, 360, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const regular_grid grid{c.ni, 721, 90, 0, -90, c.last_longitude, c.increment, false, false};
        EXPECT_DOUBLE_EQ(grid_step(grid), 0.25);
        long index = -1;
        double lat = 0, lon = 0;
        ASSERT_TRUE(find_nearest_point(grid, 44.05, -97.20, index, lat, lon));
        EXPECT_EQ(index, 184 * c.ni + 1051); // 44.00 N, 262.75 E
        EXPECT_DOUBLE_EQ(lat, 44.0);
        EXPECT_DOUBLE_EQ(lon, -97.25);
        // Just west of Greenwich lies the last column, or the first again.
        ASSERT_TRUE(find_nearest_point(grid, 0, -0.1, index, lat, lon));
        EXPECT_EQ(index % c.ni, c.ni == 1440 ? 0 : 1440);
    }
}
