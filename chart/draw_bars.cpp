#include "chart/chart_drawing.h"
#include "chart/palette.h"
#include "chart/svg.h"

#include <cmath>
#include <cstdio>
#include <ostream>

namespace {

const double bar_gap = 1.5;  // kept clear at each end, so neighbours stay bars of their own
const double label_rise = 4; // a value's label above its bar

} // namespace

void draw_bars(std::ostream& out, const time_axis& axis, const panel_box& panel,
               const series_style& style, const chart_bar* bars, int count, bool label_values) {
    const value_scale& s = panel.scale;
    double base = y_of(panel, s.min <= 0 && s.max >= 0 ? 0 : s.min);
    for (int i = 0; i < count; ++i) {
        const chart_value& v = bars[i].value;
        double from = std::fmax(bars[i].start_hour, axis.first_hour);
        double to = std::fmin(bars[i].end_hour, axis.last_hour);
        if (!std::isfinite(v.value) || to <= from) continue;
        double x0 = x_of(axis, from) + bar_gap, x1 = x_of(axis, to) - bar_gap;
        double y = y_of(panel, v.value);
        out << "<rect class=\"" << style.css_class << (v.fewer_stations ? " fewer-stations" : "")
            << "\" data-" << style.key_name << "=\"" << bars[i].key << "\""
            << svg_attr("data-value", v.value) << svg_attr("x", x0)
            << svg_attr("y", std::fmin(y, base)) << svg_attr("width", std::fmax(x1 - x0, 1))
            << svg_attr("height", std::fabs(base - y));
        if (v.fewer_stations)
            out << " fill=\"" << paper_colour << "\" stroke=\"" << style.colour
                << "\" stroke-width=\"2\"/>\n";
        else
            out << " fill=\"" << style.colour << "\"/>\n";
        if (!label_values) continue;
        char label[32];
        std::snprintf(label, sizeof label, "%.0f", v.value);
        out << "<text class=\"value-label\"" << svg_attr("x", (x0 + x1) / 2)
            << svg_attr("y", std::fmin(y, base) - label_rise) << " text-anchor=\"middle\">" << label
            << "</text>\n";
    }
}
