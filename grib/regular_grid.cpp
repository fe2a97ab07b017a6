#include "grib/regular_grid.h"

#include <cmath>

// Degrees within which a point on the grid's edge still counts as on the grid: the keys
// carry micro-degrees.
static const double edge_tolerance = 1e-6;

// Degrees east from first to last longitude in the grid's own direction, above 0 and up
// to 360: a last longitude that is the first again closes the circle.
static double east_span(const regular_grid& grid) {
    double span = grid.last_longitude - grid.first_longitude;
    if (grid.i_negative) span = -span;
    span = std::fmod(span, 360.0);
    if (span < 0) span += 360.0;
    return span < edge_tolerance ? 360.0 : span;
}

double grid_step(const regular_grid& grid) {
    if (grid.i_increment > 0) return grid.i_increment;
    return grid.ni > 1 ? east_span(grid) / static_cast<double>(grid.ni - 1) : 0.0;
}

static double normal_longitude(double longitude) {
    double east = std::fmod(longitude, 360.0);
    if (east < 0) east += 360.0;
    return east > 180.0 ? east - 360.0 : east;
}

bool find_nearest_point(const regular_grid& grid, double latitude, double longitude, long& index,
                        double& point_latitude, double& point_longitude) {
    if (grid.ni < 1 || grid.nj < 1) return false;
    const double south = std::fmin(grid.first_latitude, grid.last_latitude);
    const double north = std::fmax(grid.first_latitude, grid.last_latitude);
    if (latitude < south - edge_tolerance || latitude > north + edge_tolerance) return false;
    long j = 0;
    if (grid.nj > 1) {
        const double dj = (grid.last_latitude - grid.first_latitude) / (grid.nj - 1);
        j = dj != 0 ? std::lround((latitude - grid.first_latitude) / dj) : 0;
        if (j < 0) j = 0;
        if (j > grid.nj - 1) j = grid.nj - 1;
        point_latitude = grid.first_latitude + j * dj;
    } else {
        point_latitude = grid.first_latitude;
    }

    const double di = grid_step(grid);
    double offset = longitude - grid.first_longitude;
    if (grid.i_negative) offset = -offset;
    offset = std::fmod(offset, 360.0);
    if (offset < 0) offset += 360.0;
    // A whole circle has no gap between its last and first longitude.
    const bool whole_circle = di > 0 && grid.ni * di >= 360.0 - edge_tolerance;
    long i = 0;
    if (whole_circle) {
        i = std::lround(offset / di) % grid.ni;
    } else {
        if (offset > 360.0 - edge_tolerance) offset = 0;
        if (offset > (grid.ni - 1) * di + edge_tolerance) return false;
        i = di > 0 ? std::lround(offset / di) : 0;
        if (i > grid.ni - 1) i = grid.ni - 1;
    }
    const double east = grid.i_negative ? -i * di : i * di;
    point_longitude = normal_longitude(grid.first_longitude + east);
    index = grid.j_consecutive ? i * grid.nj + j : j * grid.ni + i;
    return true;
}
