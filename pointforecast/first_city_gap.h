#pragma once

#include "pointforecast/station_arrays.h"

#include <string>

// The first value of the city forecast that no station of any model has, named as a
// forecaster finds it in the tables ("day 3 LowTemp", "hour 12 WDR"); empty when the
// stations give every value. The ETA weight cannot make a gap, so none is asked for.
std::string first_city_gap(const station_arrays& arrays);
