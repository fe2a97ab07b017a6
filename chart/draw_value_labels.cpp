#include "chart/chart_drawing.h"
#include "chart/palette.h"
#include "chart/svg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

namespace {

// A box by its centre and half sizes.
struct box {
    double x, y, half_width, half_height;
};

bool overlap(const box& a, const box& b) {
    return std::fabs(a.x - b.x) < a.half_width + b.half_width &&
           std::fabs(a.y - b.y) < a.half_height + b.half_height;
}

// The 12-pixel digits of the charts, about 7 pixels wide, with their halo; a mark's
// box is a little larger than the largest marker.
const double digit_width = 7, halo = 2, label_half_height = 7, mark_half_size = 6;
// From a mark to the centre of a label above or below it, and beside it.
const double label_offset = 14, side_gap = 4;
// From the centre of a label to its baseline.
const double baseline_drop = 4;

} // namespace

void draw_value_labels(std::ostream& out, const value_label* labels, int count,
                       const chart_mark* marks, int mark_count, int decimals) {
    // More digits than a double holds would only print noise.
    decimals = std::max(0, std::min(decimals, 17));
    std::vector<box> taken;
    taken.reserve(static_cast<std::size_t>(std::max(0, mark_count)) +
                  static_cast<std::size_t>(std::max(0, count)));
    for (int m = 0; m < mark_count; ++m)
        taken.push_back(box{marks[m].x, marks[m].y, mark_half_size, mark_half_size});
    for (int i = 0; i < count; ++i) {
        const value_label& l = labels[i];
        if (!std::isfinite(l.value) || !std::isfinite(l.x) || !std::isfinite(l.y)) continue;
        char digits[32];
        std::snprintf(digits, sizeof digits, "%.*f", decimals, l.value);
        // A value that rounds to zero drops its sign: "-0" reads "0", "-0.0" reads "0.0".
        const bool zero = std::string(digits).find_first_not_of("-0.") == std::string::npos;
        const std::string text = zero && digits[0] == '-' ? digits + 1 : digits;
        const double half_width = digit_width * static_cast<double>(text.size()) / 2 + halo;
        const double side = half_width + mark_half_size + side_gap;
        const double preferred = l.side > 0 ? -label_offset : label_offset;
        // Its own side first, then the other, then beside the mark: the first that covers
        // no mark and no label placed before.
        const box candidates[] = {
            {l.x, l.y + preferred, half_width, label_half_height},
            {l.x, l.y - preferred, half_width, label_half_height},
            {l.x + side, l.y, half_width, label_half_height},
            {l.x - side, l.y, half_width, label_half_height},
        };
        box chosen = candidates[0];
        for (const box& c : candidates) {
            bool free = true;
            for (const box& t : taken) free = free && !overlap(c, t);
            if (free) {
                chosen = c;
                break;
            }
        }
        taken.push_back(chosen);
        out << "<text class=\"value-label\"" << svg_attr("x", chosen.x)
            << svg_attr("y", chosen.y + baseline_drop)
            // A white halo keeps the label readable where a line runs behind it.
            << " text-anchor=\"middle\" paint-order=\"stroke\" stroke=\"" << paper_colour
            << "\" stroke-width=\"3\" stroke-linejoin=\"round\" fill=\"" << l.colour << "\">"
            << text << "</text>\n";
    }
}
