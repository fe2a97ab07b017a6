#pragma once

// A regular latitude/longitude grid as a GRIB2 message describes it, in degrees.
struct regular_grid {
    long ni, nj; // points along a parallel and along a meridian
    double first_latitude, first_longitude;
    double last_latitude, last_longitude;
    bool i_negative;    // longitudes run west
    bool j_consecutive; // the points of a meridian follow each other
};

// The grid point nearest to latitude and longitude (east, any turn): its index in the
// message's values, and where it lies, longitude from -180 (exclusive) to 180. False for a
// point outside the grid's extent; a grid round the whole earth has no east or west edge.
bool find_nearest_point(const regular_grid& grid, double latitude, double longitude, long& index,
                        double& point_latitude, double& point_longitude);

// Degrees between neighbouring longitudes.
double grid_step(const regular_grid& grid);
