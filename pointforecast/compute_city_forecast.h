#pragma once

#include "diagnostics/fault.h"
#include "ingest/bulletin_values.h"
#include "pointforecast/city_forecast.h"

#include <string>

// Every value of the city forecast from the bulletin values: days 1 and 2 and the
// short-range hours blend the ETA values (eta_weight) with the AVN values (one minus it)
// and weight the stations; days 3 to 7 and the extended hours weight the stations of the
// extended bulletins alone. A station whose bulletin marks a value missing is left out of
// it (fewer_stations); a value that no station has is NaN, a gap. Wind directions leave
// out calm stations too and are blended across north. Returns false, with why (kind
// bad_weight) naming the first value, when the weight makes a value that the tables would
// show no finite number (a weight of 1e308 overflows).
bool compute_city_forecast(const bulletin_values& values, double eta_weight,
                           city_forecast& forecast, fault& why);

// The first value of the city forecast that no station of any model has, named as a
// forecaster finds it in the tables ("day 3 LowTemp", "hour 12 WDR"); empty when the
// stations give every value. Only which values are there decides it, so no weight is
// needed and nothing is computed.
std::string first_city_gap(const bulletin_values& values);
