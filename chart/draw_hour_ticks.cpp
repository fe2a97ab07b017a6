#include "chart/chart_drawing.h"
#include "chart/svg.h"

#include <cmath>
#include <ostream>

void draw_hour_ticks(std::ostream& out, const time_axis& axis, double bottom,
                     const std::string& title) {
    long long first = static_cast<long long>(std::ceil(axis.first_hour));
    long long last = static_cast<long long>(std::floor(axis.last_hour));
    // An axis of absurd length gets no ticks rather than millions of them.
    if (last - first > 5000) last = first;
    for (long long hour = first; hour <= last; ++hour) {
        long long reference = axis.clock_labels ? hour + axis.origin.hour : hour;
        long long of_day = ((reference % 24) + 24) % 24;
        if (reference % 6 != 0) continue;
        bool major = reference % 12 == 0;
        double x = x_of(axis, static_cast<double>(hour));
        out << "<line" << svg_attr("x1", x) << svg_attr("x2", x) << svg_attr("y1", bottom)
            << svg_attr("y2", bottom + (major ? 6 : 3)) << " stroke=\"#555\"/>\n";
        if (!major) continue;
        std::string label =
            axis.clock_labels ? (of_day == 0 ? "00Z" : "12Z") : std::to_string(hour);
        out << "<text class=\"x-tick\"" << svg_attr("x", x) << svg_attr("y", bottom + 19)
            << " text-anchor=\"middle\">" << label << "</text>\n";
    }
    out << "<text" << svg_attr("x", (axis.left + axis.right) / 2) << svg_attr("y", bottom + 38)
        << " text-anchor=\"middle\">" << svg_escape(title) << "</text>\n";
}
