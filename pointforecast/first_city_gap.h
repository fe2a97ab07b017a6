#pragma once

#include "ingest/bulletin_values.h"

#include <string>

// The first value of the city forecast that no station of any model has, named as a
// forecaster finds it in the tables ("day 3 LowTemp", "hour 12 WDR"); empty when the
// stations give every value. Only which values are there decides it, so no weight is
// needed and nothing is computed.
std::string first_city_gap(const bulletin_values& values);
