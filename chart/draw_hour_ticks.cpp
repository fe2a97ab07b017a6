#include "chart/chart_drawing.h"
#include "chart/palette.h"
#include "chart/svg.h"

#include <cmath>
#include <ostream>

namespace {

const double major_tick = 6, minor_tick = 3; // lengths below the axis
const double label_drop = 19, title_drop = 38;

} // namespace

void draw_hour_ticks(std::ostream& out, const time_axis& axis, double bottom,
                     const std::string& title) {
    if (axis_drawable(axis)) {
        long long first = static_cast<long long>(std::ceil(axis.first_hour));
        long long last = static_cast<long long>(std::floor(axis.last_hour));
        for (long long hour = first; hour <= last; ++hour) {
            long long reference = axis.clock_labels ? hour + axis.origin.hour : hour;
            long long of_day = ((reference % 24) + 24) % 24;
            if (reference % 6 != 0) continue;
            bool major = reference % 12 == 0;
            double x = x_of(axis, static_cast<double>(hour));
            out << "<line" << svg_attr("x1", x) << svg_attr("x2", x) << svg_attr("y1", bottom)
                << svg_attr("y2", bottom + (major ? major_tick : minor_tick)) << " stroke=\""
                << tick_colour << "\"/>\n";
            if (!major) continue;
            std::string label =
                axis.clock_labels ? (of_day == 0 ? "00Z" : "12Z") : std::to_string(hour);
            out << "<text class=\"x-tick\"" << svg_attr("x", x)
                << svg_attr("y", bottom + label_drop) << " text-anchor=\"middle\">" << label
                << "</text>\n";
        }
    }
    out << "<text" << svg_attr("x", (axis.left + axis.right) / 2)
        << svg_attr("y", bottom + title_drop) << " text-anchor=\"middle\">" << svg_escape(title)
        << "</text>\n";
}
