#include "chart/chart_drawing.h"
#include "chart/svg.h"

#include <cmath>
#include <cstdio>
#include <ostream>

void begin_panel(std::ostream& out, const time_axis& axis, const panel_box& panel,
                 const std::string& id, const std::string& title, const std::string& unit) {
    out << "<g" << svg_attr("id", id) << " class=\"panel\">\n<title>" << svg_escape(title)
        << "</title>\n";
    out << "<text" << svg_attr("x", axis.left) << svg_attr("y", panel.top - 7)
        << " font-size=\"13\" font-weight=\"bold\">" << svg_escape(title) << "</text>\n";

    const value_scale& s = panel.scale;
    int ticks = static_cast<int>(std::lround((s.max - s.min) / s.step));
    for (int i = 0; i <= ticks && i <= 50; ++i) {
        double value = s.min + i * s.step;
        if (value > s.max + s.step * 1e-9) break;
        double y = y_of(panel, value);
        out << "<line" << svg_attr("x1", axis.left) << svg_attr("x2", axis.right)
            << svg_attr("y1", y) << svg_attr("y2", y) << " stroke=\"#e4e4e4\"/>\n";
        char label[64];
        std::snprintf(label, sizeof label, "%.*f", s.decimals, value);
        // "-0.0" and "0.0" alike read 0.
        bool zero = std::string(label).find_first_not_of("-0.") == std::string::npos;
        // The label's y is its tick's y, so that a reader of the file can recover the scale.
        out << "<text class=\"y-tick\"" << svg_attr("x", axis.left - 6) << svg_attr("y", y)
            << " text-anchor=\"end\" dominant-baseline=\"central\">" << (zero ? "0" : label)
            << "</text>\n";
    }
    double unit_x = axis.left - 50, unit_y = (panel.plot_top + panel.bottom) / 2;
    out << "<text class=\"unit\"" << svg_attr("x", unit_x) << svg_attr("y", unit_y)
        << " text-anchor=\"middle\" dominant-baseline=\"central\" transform=\"rotate(-90 "
        << svg_number(unit_x) << ' ' << svg_number(unit_y) << ")\">" << svg_escape(unit)
        << "</text>\n";

    // Day boundaries: the hours at which the UTC day turns.
    double first = std::ceil((axis.first_hour + axis.origin.hour) / 24) * 24 - axis.origin.hour;
    for (double hour = first; hour < axis.last_hour; hour += 24) {
        if (hour <= axis.first_hour) continue;
        double x = x_of(axis, hour);
        out << "<line class=\"day-line\"" << svg_attr("x1", x) << svg_attr("x2", x)
            << svg_attr("y1", panel.top) << svg_attr("y2", panel.bottom)
            << " stroke=\"#bdbdbd\"/>\n";
    }
    out << "<rect" << svg_attr("x", axis.left) << svg_attr("y", panel.top)
        << svg_attr("width", axis.right - axis.left) << svg_attr("height", panel.bottom - panel.top)
        << " fill=\"none\" stroke=\"#8c8c8c\"/>\n";
}
