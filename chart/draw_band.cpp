#include "chart/chart_drawing.h"
#include "chart/svg.h"

#include <cmath>
#include <ostream>

void draw_band(std::ostream& out, const time_axis& axis, const panel_box& panel,
               const char* css_class, const char* fill, const band_point* points, int count) {
    int i = 0;
    while (i < count) {
        int end = i;
        while (end < count && std::isfinite(points[end].low) && std::isfinite(points[end].high))
            ++end;
        if (end - i >= 2) {
            // Along the high edge, then back along the low one; where the two cross, the
            // polygon still covers exactly what lies between them.
            out << "<polygon class=\"" << css_class << "\" fill=\"" << fill << "\" points=\"";
            for (int k = i; k < end; ++k)
                out << svg_number(x_of(axis, points[k].hour)) << ','
                    << svg_number(y_of(panel, points[k].high)) << ' ';
            for (int k = end - 1; k >= i; --k)
                out << svg_number(x_of(axis, points[k].hour)) << ','
                    << svg_number(y_of(panel, points[k].low)) << (k > i ? " " : "");
            out << "\"/>\n";
        }
        i = end == i ? i + 1 : end;
    }
}
