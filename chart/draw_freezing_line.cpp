#include "chart/chart_drawing.h"
#include "chart/palette.h"
#include "chart/svg.h"

#include <ostream>

void draw_freezing_line(std::ostream& out, const time_axis& axis, const panel_box& panel) {
    const double freezing = 32;
    if (!(panel.scale.min < freezing && freezing < panel.scale.max)) return;
    const double y = y_of(panel, freezing);
    out << "<line class=\"freezing\"" << svg_attr("x1", axis.left) << svg_attr("y1", y)
        << svg_attr("x2", axis.right) << svg_attr("y2", y) << " stroke=\"" << freezing_colour
        << "\" stroke-width=\"1\" stroke-dasharray=\"2 3\"/>\n"
        << "<text" << svg_attr("x", axis.left + 4) << svg_attr("y", y - 3) << " fill=\""
        << freezing_colour << "\" font-size=\"10\">32 °F</text>\n";
}
