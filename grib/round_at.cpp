#include "grib/round_at.h"

#include <cmath>

double round_at(double value, int per_unit) {
    const double scaled = value * per_unit;
    // A conversion such as K - 273.15 leaves a decimal tie a hair off (-2.7499999999999716
    // for -2.75): noise below a millionth of the last digit must not decide it.
    const double snapped = std::round(scaled * 1e6) / 1e6;
    const double rounded = std::round(snapped) / per_unit;
    return rounded == 0 ? 0.0 : rounded;
}
