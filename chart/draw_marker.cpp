#include "chart/chart_drawing.h"
#include "chart/palette.h"
#include "chart/svg.h"

#include <ostream>

// Half the width of a mark.
static const double mark_radius = 4.5;

void draw_marker(std::ostream& out, marker_shape shape, double x, double y, const char* colour,
                 bool hollow, const std::string& attributes) {
    // A white rim keeps a filled mark apart from the lines it sits on; a hollow one is
    // white inside with a heavier rim in the series' colour.
    std::string paint = std::string(" fill=\"") + (hollow ? paper_colour : colour) +
                        "\" stroke=\"" + (hollow ? colour : paper_colour) + "\" stroke-width=\"" +
                        (hollow ? "2" : "1") + "\"";
    if (shape == marker_shape::square) {
        out << "<rect" << attributes << svg_attr("x", x - mark_radius)
            << svg_attr("y", y - mark_radius) << svg_attr("width", 2 * mark_radius)
            << svg_attr("height", 2 * mark_radius) << paint << "/>\n";
    } else {
        out << "<circle" << attributes << svg_attr("cx", x) << svg_attr("cy", y)
            << svg_attr("r", mark_radius) << paint << "/>\n";
    }
}
