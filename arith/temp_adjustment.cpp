#include "arith/temp_adjustment.h"

// The wind (mph) and humidity (percent) at which their terms vanish, and the weight of
// each term per unit.
static const double reference_wind = 30;
static const double reference_humidity = 100;
static const double wind_coefficient = 0.1;
static const double humidity_coefficient = 0.03;
static const double lapse_coefficient = 0.1;

temp_adjustment compute_temp_adjustment(double t2m, double t850, double rh, double wind_speed) {
    const double wind_term = (reference_wind - wind_speed) * wind_coefficient;
    const double humidity_term = (reference_humidity - rh) * humidity_coefficient;
    const double lapse_term = (t2m - t850) * lapse_coefficient;
    const double adj = (wind_term + humidity_term) + lapse_term;
    return temp_adjustment{adj, t2m + adj, t2m - adj};
}
