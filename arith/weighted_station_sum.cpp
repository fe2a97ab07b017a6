#include "arith/weighted_station_sum.h"

#include "arith/station_weights.h"

double weighted_station_sum(const std::int32_t* set) {
    double p[4];
    for (int k = 0; k < 4; ++k) p[k] = static_cast<double>(set[k]) * station_weights[k];
    return ((p[0] + p[1]) + p[2]) + p[3];
}
