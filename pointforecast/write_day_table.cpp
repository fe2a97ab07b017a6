#include "pointforecast/write_day_table.h"

#include "arith/blended_station_sum.h"
#include "arith/weighted_station_sum.h"

#include <iomanip>
#include <ostream>

void write_day_table(std::ostream& out, const model_pair* day_pairs,
                     const station_set* ext_day_sets, double eta_weight, double avn_ratio,
                     bool pad_short_days) {
    out << std::left << std::setw(7) << "Day";
    for (const char* caption : {"LowTemp", "HighTemp", "LowDPT", "HighDPT", "LowProbPrec"})
        out << std::setw(12) << caption;
    out << "HighProbPrec" << std::endl;
    out << std::endl;

    // Day d (1 or 2) takes its values from these elements of day_pairs.
    static const int short_elements[2][6] = {{0, 1, 4, 5, 8, 9}, {2, 3, 6, 7, 10, 11}};
    for (int d = 0; d < 2; ++d) {
        out << std::left << std::setw(7) << d + 1;
        for (int c = 0; c < 6; ++c) {
            if (c < 5 || pad_short_days) out << std::setw(12);
            out << blended_station_sum(eta_weight, avn_ratio, day_pairs[short_elements[d][c]]);
        }
        out << std::endl;
    }
    // Day 3 + t: pair t of the extended rows; they hold no low precipitation probability.
    for (int t = 0; t < 5; ++t) {
        out << std::left << std::setw(7) << t + 3;
        for (int c = 0; c < 4; ++c)
            out << std::setw(12) << weighted_station_sum(ext_day_sets[5 * c + t]);
        out << std::setw(12) << " " << weighted_station_sum(ext_day_sets[20 + t]) << std::endl;
    }
}
