#include "pointforecast/load_bulletin_file.h"

#include "ingest/read_sky_wind.h"
#include "ingest/read_temp_pop.h"
#include "ingest/validate_bulletin_file.h"

bool load_bulletin_file(const std::string& name, station_arrays& a, std::string& fault) {
    // The file is read whole before it is called valid: a forecast is never made from
    // values the file did not hold.
    bulletin_layout layout;
    if (!validate_bulletin_file(name.c_str(), layout)) {
        fault = name + ": the twelve bulletin headers are not in the required order";
        return false;
    }
    if (!read_temp_pop(a.eta_temp_pop, a.avn_temp_pop, a.mrf_temp_pop, name.c_str(), layout) ||
        !read_sky_wind(a.eta_sky_wind, a.avn_sky_wind, a.mrf_sky_wind, name.c_str(), layout)) {
        fault = name + ": a bulletin lacks a row or holds a value that is no number";
        return false;
    }
    return true;
}
