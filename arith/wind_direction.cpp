#include "arith/wind_direction.h"

#include "arith/station_sums.h"

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
