#include "chart/chart_drawing.h"
#include "chart/palette.h"
#include "chart/svg.h"

#include <cmath>
#include <cstdio>
#include <ostream>

// A value's label stands above its mark by label_rise to its baseline, or below it by
// label_drop, clear of the mark.
static const double label_rise = 9, label_drop = 18;

void draw_markers(std::ostream& out, const time_axis& axis, const panel_box& panel,
                  const series_style& style, const chart_point* points, int count, int label_side) {
    for (int i = 0; i < count; ++i) {
        const chart_value& v = points[i].value;
        if (!std::isfinite(v.value)) continue;
        // A series drawn without marks still marks the values that rest on fewer stations.
        if (style.marker == marker_shape::none && !v.fewer_stations) continue;
        double x = x_of(axis, points[i].hour), y = y_of(panel, v.value);
        std::string attributes = std::string(" class=\"") + style.css_class +
                                 (v.fewer_stations ? " fewer-stations" : "") + "\" data-" +
                                 style.key_name + "=\"" + std::to_string(points[i].key) + "\"" +
                                 svg_attr("data-value", v.value);
        marker_shape shape =
            style.marker == marker_shape::none ? marker_shape::circle : style.marker;
        draw_marker(out, shape, x, y, style.colour, v.fewer_stations, attributes);
        if (label_side == 0) continue;
        char label[32];
        std::snprintf(label, sizeof label, "%.0f", v.value);
        out << "<text class=\"value-label\"" << svg_attr("x", x)
            << svg_attr("y", label_side > 0 ? y - label_rise : y + label_drop)
            // A white halo keeps the label readable where a line runs behind it.
            << " text-anchor=\"middle\" paint-order=\"stroke\" stroke=\"" << paper_colour
            << "\" stroke-width=\"3\" stroke-linejoin=\"round\" fill=\"" << style.colour << "\">"
            << (std::string(label) == "-0" ? "0" : label) << "</text>\n";
    }
}
