#include "arith/station_sums.h"

double weighted_station_sum(const double (&set)[station_count]) {
    double p[station_count];
    for (int k = 0; k < station_count; ++k) p[k] = set[k] * station_weights[k];
    return ((p[0] + p[1]) + p[2]) + p[3];
}

// Every 32-bit integer is a double exactly, so a sum is the same either way.
static void as_doubles(const station_set& set, double (&values)[station_count]) {
    for (int k = 0; k < station_count; ++k) values[k] = static_cast<double>(set[k]);
}

double weighted_station_sum(const station_set& set) {
    double values[station_count];
    as_doubles(set, values);
    return weighted_station_sum(values);
}

bool present_station_sum(const double (&set)[station_count], const station_presence& present,
                         double& sum) {
    if (present[0] && present[1] && present[2] && present[3]) {
        sum = weighted_station_sum(set);
        return true;
    }
    double p = 0, w = 0;
    bool any = false;
    for (int k = 0; k < station_count; ++k) {
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

bool present_station_sum(const station_set& set, const station_presence& present, double& sum) {
    double values[station_count];
    as_doubles(set, values);
    return present_station_sum(values, present, sum);
}

double blended_station_sum(double first_weight, double second_weight, const model_pair& pair) {
    double s1 = weighted_station_sum(pair.first);
    double s2 = weighted_station_sum(pair.second);
    return (first_weight * s1) + (second_weight * s2);
}

bool present_blended_sum(double first_weight, double second_weight, const model_pair& pair,
                         const pair_presence& present, double& sum) {
    bool all = true;
    for (int k = 0; k < station_count; ++k) all = all && present.first[k] && present.second[k];
    if (all) {
        sum = blended_station_sum(first_weight, second_weight, pair);
        return true;
    }
    double s1 = 0, s2 = 0;
    bool first = present_station_sum(pair.first, present.first, s1);
    bool second = present_station_sum(pair.second, present.second, s2);
    if (first && second)
        sum = (first_weight * s1) + (second_weight * s2);
    else if (first)
        sum = s1;
    else if (second)
        sum = s2;
    return first || second;
}

namespace {

// What the directions of both models have shown so far: a calm one, any that blows, and
// the smallest and largest of those.
struct blowing_range {
    bool calm = false, any = false;
    std::int32_t low = 0, high = 0;
};

} // namespace

// Marks which of one model's directions blow, and widens range by them.
static void find_blowing(const station_set& directions, const station_set& speeds,
                         const station_presence& present, station_presence& blowing,
                         blowing_range& range) {
    for (int k = 0; k < station_count; ++k) {
        bool still = present[k] && directions[k] == 0 && speeds[k] == 0;
        range.calm = range.calm || still;
        blowing[k] = present[k] && !still;
        if (!blowing[k]) continue;
        range.low = range.any && range.low < directions[k] ? range.low : directions[k];
        range.high = range.any && range.high > directions[k] ? range.high : directions[k];
        range.any = true;
    }
}

// Across north, 34 and 01 are three apart, not 33: the small ones go round once more.
static void turn(const station_set& directions, const station_presence& blowing, bool across_north,
                 station_set& turned) {
    for (int k = 0; k < station_count; ++k)
        turned[k] =
            across_north && blowing[k] && directions[k] < 18 ? directions[k] + 36 : directions[k];
}

bool blended_wind_direction(double first_weight, double second_weight, const model_pair& directions,
                            const model_pair& speeds, const pair_presence& present,
                            double& direction) {
    pair_presence blowing;
    blowing_range range;
    find_blowing(directions.first, speeds.first, present.first, blowing.first, range);
    find_blowing(directions.second, speeds.second, present.second, blowing.second, range);
    if (!range.any) {
        if (range.calm) direction = 0;
        return range.calm;
    }
    // In 64 bits: two 32-bit directions of a malformed file may lie further apart.
    const bool across_north = static_cast<long long>(range.high) - range.low > 18;
    model_pair turned;
    turn(directions.first, blowing.first, across_north, turned.first);
    turn(directions.second, blowing.second, across_north, turned.second);
    double sum = 0;
    present_blended_sum(first_weight, second_weight, turned, blowing, sum);
    direction = across_north && sum >= 36 ? sum - 36 : sum;
    return true;
}
