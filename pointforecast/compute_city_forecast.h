#pragma once

#include "diagnostics/fault.h"
#include "ingest/bulletin_values.h"
#include "pointforecast/city_forecast.h"

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
