#include "arith/present_blended_sum.h"

#include "arith/blended_station_sum.h"
#include "arith/present_station_sum.h"

bool present_blended_sum(double first_weight, double second_weight, const std::int32_t* pair,
                         const bool* present, double& sum) {
    bool all = true;
    for (int k = 0; k < 8; ++k) all = all && present[k];
    if (all) {
        sum = blended_station_sum(first_weight, second_weight, pair);
        return true;
    }
    double s1 = 0, s2 = 0;
    bool first = present_station_sum(pair, present, s1);
    bool second = present_station_sum(pair + 4, present + 4, s2);
    if (first && second)
        sum = (first_weight * s1) + (second_weight * s2);
    else if (first)
        sum = s1;
    else if (second)
        sum = s2;
    return first || second;
}
