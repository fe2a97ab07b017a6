#include "chart/chart_drawing.h"
#include "chart/svg.h"

#include <ostream>

void draw_marker(std::ostream& out, marker_shape shape, double x, double y, const char* colour,
                 bool hollow, const std::string& attributes) {
    // A white rim keeps a filled mark apart from the lines it sits on; a hollow one is
    // white inside with a heavier rim in the series' colour.
    std::string paint = std::string(" fill=\"") + (hollow ? "#fff" : colour) + "\" stroke=\"" +
                        (hollow ? colour : "#fff") + "\" stroke-width=\"" + (hollow ? "2" : "1") +
                        "\"";
    if (shape == marker_shape::square) {
        out << "<rect" << attributes << svg_attr("x", x - 4.5) << svg_attr("y", y - 4.5)
            << " width=\"9\" height=\"9\"" << paint << "/>\n";
    } else {
        out << "<circle" << attributes << svg_attr("cx", x) << svg_attr("cy", y) << " r=\"4.5\""
            << paint << "/>\n";
    }
}
