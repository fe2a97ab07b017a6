#pragma once

// A regular latitude/longitude grid as a GRIB2 message describes it, in degrees.
struct regular_grid {
    long ni, nj; // points along a parallel and along a meridian
    double first_latitude, first_longitude;
    double last_latitude, last_longitude;
    double i_increment; // degrees between longitudes as the message gives them; 0 for none
    bool i_negative;    // longitudes run west
    bool j_consecutive; // the points of a meridian follow each other
};

// The grid point nearest to latitude and longitude (east, any turn): its index in the
// message's values, and where it lies, longitude from -180 (exclusive) to 180. False for a
// point outside the grid's extent; a grid round the whole earth has no east or west edge.
bool find_nearest_point(const regular_grid& grid, double latitude, double longitude, long& index,
                        double& point_latitude, double& point_longitude);

// Degrees between neighbouring longitudes: the grid's own increment where it gives one,
// else its extent shared among its points (a grid whose last longitude is its first again,
// 0 to 360, goes once round).
double grid_step(const regular_grid& grid);
