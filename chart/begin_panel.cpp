#include "chart/chart_drawing.h"
#include "chart/chart_layout.h"
#include "chart/palette.h"
#include "chart/svg.h"

#include <cmath>
#include <cstdio>
#include <ostream>

namespace {

// A scale finer than this would only blacken the panel with gridlines.
const int max_value_ticks = 50;
const double tick_label_gap = 6; // between a tick label's end and the frame
const double unit_offset = 50;   // the unit's centre left of the frame

} // namespace

svg_group begin_panel(std::ostream& out, const time_axis& axis, const panel_box& panel,
                      const std::string& id, const std::string& title, const std::string& unit) {
    svg_group group = open_group(out, svg_attr("id", id) + " class=\"panel\"");
    out << "<title>" << svg_escape(title) << "</title>\n";
    out << "<text" << svg_attr("x", axis.left) << svg_attr("y", panel.top - panel_title_rise)
        << " font-size=\"13\" font-weight=\"bold\">" << svg_escape(title) << "</text>\n";

    const value_scale& s = panel.scale;
    int ticks = static_cast<int>(std::lround((s.max - s.min) / s.step));
    for (int i = 0; i <= ticks && i <= max_value_ticks; ++i) {
        double value = s.min + i * s.step;
        if (value > s.max + s.step * 1e-9) break;
        double y = y_of(panel, value);
        out << "<line" << svg_attr("x1", axis.left) << svg_attr("x2", axis.right)
            << svg_attr("y1", y) << svg_attr("y2", y) << " stroke=\"" << grid_colour << "\"/>\n";
        char label[64];
        std::snprintf(label, sizeof label, "%.*f", s.decimals, value);
        // "-0.0" and "0.0" alike read 0.
        bool zero = std::string(label).find_first_not_of("-0.") == std::string::npos;
        // The label's y is its tick's y, so that a reader of the file can recover the scale.
        out << "<text class=\"y-tick\"" << svg_attr("x", axis.left - tick_label_gap)
            << svg_attr("y", y) << " text-anchor=\"end\" dominant-baseline=\"central\">"
            << (zero ? "0" : label) << "</text>\n";
    }
    double unit_x = axis.left - unit_offset, unit_y = (panel.plot_top + panel.bottom) / 2;
    out << "<text class=\"unit\"" << svg_attr("x", unit_x) << svg_attr("y", unit_y)
        << " text-anchor=\"middle\" dominant-baseline=\"central\" transform=\"rotate(-90 "
        << svg_number(unit_x) << ' ' << svg_number(unit_y) << ")\">" << svg_escape(unit)
        << "</text>\n";

    // Day boundaries: the hours at which the UTC day turns; none on an axis too long to draw.
    // Counted, so that even an axis far from hour 0 ends.
    double first = std::ceil((axis.first_hour + axis.origin.hour) / 24) * 24 - axis.origin.hour;
    for (int day = 0; axis_drawable(axis) && day <= max_axis_days; ++day) {
        double hour = first + 24.0 * day;
        if (hour >= axis.last_hour) break;
        if (hour <= axis.first_hour) continue;
        double x = x_of(axis, hour);
        out << "<line class=\"day-line\"" << svg_attr("x1", x) << svg_attr("x2", x)
            << svg_attr("y1", panel.top) << svg_attr("y2", panel.bottom) << " stroke=\""
            << day_line_colour << "\"/>\n";
    }
    out << "<rect" << svg_attr("x", axis.left) << svg_attr("y", panel.top)
        << svg_attr("width", axis.right - axis.left) << svg_attr("height", panel.bottom - panel.top)
        << " fill=\"none\" stroke=\"" << frame_colour << "\"/>\n";
    return group;
}
