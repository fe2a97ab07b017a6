#include "arith/blended_station_sum.h"

#include "arith/weighted_station_sum.h"

double blended_station_sum(double first_weight, double second_weight, const std::int32_t* pair) {
    double s1 = weighted_station_sum(pair);
    double s2 = weighted_station_sum(pair + 4);
    return (first_weight * s1) + (second_weight * s2);
}
