#include "chart/chart_drawing.h"

#include <cmath>
#include <utility>

value_scale nice_scale(double low, double high, bool fixed_min, bool fixed_max, int steps) {
    // Beyond this a chart has nothing readable left to show; the clamp keeps steps finite.
    const double limit = 1e12;
    // Room for the marks and their labels at the ends that the data decide, as a share of
    // the span.
    const double end_room = 0.06;
    // A span finer than this is drawn as flat: its steps would need more decimals than a
    // label can show, and a denormal one no step at all.
    const double finest_span = 1e-6;
    low = std::fmax(-limit, std::fmin(limit, low));
    high = std::fmax(-limit, std::fmin(limit, high));
    if (high < low) std::swap(low, high);
    if (steps < 1) steps = 1;
    double span = high - low;
    if (!(span >= finest_span)) span = std::fmax(1.0, std::fabs(low) * 0.1);
    if (!fixed_min) low -= end_room * span;
    if (!fixed_max) high += end_room * span;
    if (!(high - low >= finest_span)) high = low + span;

    // The finest round step (1, 2, 2.5 or 5 times a power of ten) that needs no more than
    // steps steps once the free ends are rounded out to it.
    static const double mantissas[] = {1, 2, 2.5, 5};
    int exponent = static_cast<int>(std::floor(std::log10((high - low) / steps)));
    for (;; ++exponent) {
        for (double mantissa : mantissas) {
            double step = mantissa * std::pow(10.0, exponent);
            double min = fixed_min ? low : std::floor(low / step) * step;
            double max = fixed_max ? high : std::ceil(high / step) * step;
            if (std::ceil((max - min) / step - 1e-9) > steps) continue;
            int decimals = exponent >= 0 ? 0 : -exponent;
            if (mantissa == 2.5 && exponent <= 0) ++decimals;
            return value_scale{min, max, step, decimals};
        }
    }
}
