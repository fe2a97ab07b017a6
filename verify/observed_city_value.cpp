#include "verify/verification.h"

#include "arith/station_sums.h"

#include <cmath>

bool observed_city_value(const observed_days& observed, long long day, bool maximum,
                         double& value) {
    auto found = observed.days.find(day);
    if (found == observed.days.end()) return false;
    double set[station_count];
    bool present[station_count];
    for (int s = 0; s < station_count; ++s) {
        set[s] = maximum ? found->second[s].max_f : found->second[s].min_f;
        present[s] = !std::isnan(set[s]);
        if (!present[s]) set[s] = 0;
    }
    return present_station_sum(set, present, value);
}
