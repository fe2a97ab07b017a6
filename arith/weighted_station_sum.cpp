#include "arith/weighted_station_sum.h"

#include "arith/station_weights.h"

double weighted_station_sum(const double* set) {
    double p[4];
    for (int k = 0; k < 4; ++k) p[k] = set[k] * station_weights[k];
    return ((p[0] + p[1]) + p[2]) + p[3];
}

double weighted_station_sum(const std::int32_t* set) {
    // Every 32-bit integer is a double exactly, so the sum is the same either way.
    const double values[4] = {static_cast<double>(set[0]), static_cast<double>(set[1]),
                              static_cast<double>(set[2]), static_cast<double>(set[3])};
    return weighted_station_sum(values);
}
