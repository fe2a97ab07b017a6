#include "arith/present_station_sum.h"

#include "arith/station_weights.h"
#include "arith/weighted_station_sum.h"

bool present_station_sum(const double* set, const bool* present, double& sum) {
    if (present[0] && present[1] && present[2] && present[3]) {
        sum = weighted_station_sum(set);
        return true;
    }
    double p = 0, w = 0;
    bool any = false;
    for (int k = 0; k < 4; ++k) {
        if (!present[k]) continue;
        p += set[k] * station_weights[k];
        w += station_weights[k];
        any = true;
    }
    if (!any) return false;
    const double all_weights =
        ((station_weights[0] + station_weights[1]) + station_weights[2]) + station_weights[3];
    sum = (p / w) * all_weights;
    return true;
}

bool present_station_sum(const std::int32_t* set, const bool* present, double& sum) {
    const double values[4] = {static_cast<double>(set[0]), static_cast<double>(set[1]),
                              static_cast<double>(set[2]), static_cast<double>(set[3])};
    return present_station_sum(values, present, sum);
}
