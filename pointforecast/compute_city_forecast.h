#pragma once

#include "pointforecast/city_forecast.h"
#include "pointforecast/station_arrays.h"

// Every value of the city forecast from the station arrays: days 1 and 2 and the
// short-range hours blend the ETA values (eta_weight) with the AVN values (one minus
// it) and weight the stations; days 3 to 7 and the extended hours weight the stations of
// the extended bulletins alone. A station whose bulletin marks a value missing is left
// out of it (fewer_stations); a value that no station has is NaN, a gap. Wind directions
// leave out calm stations too and are blended across north.
void compute_city_forecast(const station_arrays& arrays, double eta_weight,
                           city_forecast& forecast);
