#include "arith/blended_wind_direction.h"

#include "arith/present_blended_sum.h"

bool blended_wind_direction(double first_weight, double second_weight,
                            const std::int32_t* directions, const std::int32_t* speeds,
                            const bool* present, double& direction) {
    bool blowing[8];
    bool calm = false, any = false;
    std::int32_t low = 0, high = 0;
    for (int k = 0; k < 8; ++k) {
        bool still = present[k] && directions[k] == 0 && speeds[k] == 0;
        calm = calm || still;
        blowing[k] = present[k] && !still;
        if (!blowing[k]) continue;
        low = any && low < directions[k] ? low : directions[k];
        high = any && high > directions[k] ? high : directions[k];
        any = true;
    }
    if (!any) {
        if (calm) direction = 0;
        return calm;
    }
    // Across north, 34 and 01 are three apart, not 33: the small ones go round once more.
    // In 64 bits: two 32-bit directions of a malformed file may lie further apart.
    const bool across_north = static_cast<long long>(high) - low > 18;
    std::int32_t turned[8];
    for (int k = 0; k < 8; ++k)
        turned[k] =
            across_north && blowing[k] && directions[k] < 18 ? directions[k] + 36 : directions[k];
    double sum = 0;
    present_blended_sum(first_weight, second_weight, turned, blowing, sum);
    direction = across_north && sum >= 36 ? sum - 36 : sum;
    return true;
}
