#include "chart/chart_drawing.h"
#include "chart/svg.h"

#include <cmath>
#include <ostream>

void draw_line(std::ostream& out, const time_axis& axis, const panel_box& panel,
               const series_style& style, const chart_point* points, int count) {
    int i = 0;
    while (i < count) {
        // One polyline for each run of values that are there; a lone value is its mark.
        int end = i;
        while (end < count && std::isfinite(points[end].value.value)) ++end;
        if (end - i >= 2) {
            out << "<polyline class=\"" << style.css_class << "-line\" fill=\"none\" stroke=\""
                << style.colour << "\" stroke-width=\"2\" stroke-linejoin=\"round\"";
            if (style.dash) out << " stroke-dasharray=\"" << style.dash << "\"";
            out << " points=\"";
            for (int k = i; k < end; ++k) {
                out << (k > i ? " " : "") << svg_number(x_of(axis, points[k].hour)) << ','
                    << svg_number(y_of(panel, points[k].value.value));
            }
            out << "\"/>\n";
        }
        i = end == i ? i + 1 : end;
    }
}
