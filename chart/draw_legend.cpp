#include "chart/chart_drawing.h"
#include "chart/svg.h"

#include <cstring>
#include <ostream>

// The width of a label at 12 px in a common sans-serif, a little generous.
static double label_width(const char* label) {
    return 7.0 * static_cast<double>(std::strlen(label));
}

void draw_legend(std::ostream& out, const legend_entry* entries, int count, double right,
                 double y) {
    const double sample = 26, gap = 6, spacing = 18;
    // A swatch is inset within its sample's width; a sample line and its marker stand a
    // little above the text's baseline.
    const double swatch_inset = 3, swatch_rise = 10, swatch_height = 11, line_rise = 4;
    double width = 0;
    for (int i = 0; i < count; ++i)
        width += (i > 0 ? spacing : 0) + sample + gap + label_width(entries[i].label);
    double x = right - width;
    svg_group legend = open_group(out, " class=\"legend\"");
    for (int i = 0; i < count; ++i) {
        const legend_entry& e = entries[i];
        if (e.swatch) {
            out << "<rect" << svg_attr("x", x + swatch_inset) << svg_attr("y", y - swatch_rise)
                << svg_attr("width", sample - 2 * swatch_inset) << svg_attr("height", swatch_height)
                << " fill=\"" << e.colour << "\"";
            if (e.outline) out << " stroke=\"" << e.outline << "\"";
            out << "/>\n";
        } else {
            out << "<line" << svg_attr("x1", x) << svg_attr("x2", x + sample)
                << svg_attr("y1", y - line_rise) << svg_attr("y2", y - line_rise) << " stroke=\""
                << e.colour << "\" stroke-width=\"2\"";
            if (e.dash) out << " stroke-dasharray=\"" << e.dash << "\"";
            out << "/>\n";
            if (e.marker != marker_shape::none)
                draw_marker(out, e.marker, x + sample / 2, y - line_rise, e.colour, false, "");
        }
        out << "<text" << svg_attr("x", x + sample + gap) << svg_attr("y", y) << ">"
            << svg_escape(e.label) << "</text>\n";
        x += sample + gap + label_width(e.label) + spacing;
    }
}
