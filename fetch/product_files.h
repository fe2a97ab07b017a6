#pragma once

#include "calendar/utc_time.h"

#include <string>
#include <vector>

// What fetch downloads: the national NBS text product of the cycle, the GFS MOS text
// products (MAV of the cycle, MEX of 0000 UTC, the one the extended bulletins come from),
// and the GFS GRIB2 messages of hours 6 to 288 that gfs-point reads.
enum class fetch_product { nbs, mav, mex, gfs };

// A file of a product as it lies on NCEP's servers, below their "com/" folder:
// "gfs/prod/gfs.20261209/12/atmos/gfs.t12z.pgrb2.0p25.f006". hour is the GFS forecast
// hour, 0 for a text product.
struct product_file {
    fetch_product product;
    std::string path;
    std::string run; // the run's date and cycle as an inventory gives them, "2026120912"
    int hour;
};

// The files of product for the run of date's day at cycle (0 to 23): one for a text
// product, one per forecast hour of the GFS.
std::vector<product_file> product_files(fetch_product product, const utc_time& date, int cycle);

// The name a file is saved under: the last part of its path.
std::string saved_name(const product_file& file);

// "nbs", "mav", "mex", "gfs".
const char* product_word(fetch_product product);
