#include "chart/chart_drawing.h"
#include "chart/palette.h"
#include "chart/svg.h"

#include <cmath>
#include <ostream>

void draw_wind_arrows(std::ostream& out, const time_axis& axis, const panel_box& panel,
                      const char* key_name, const wind_arrow* arrows, int count) {
    const double pi = 3.14159265358979323846;
    const double half = 6.5, head = 5, head_width = 3.5, calm_radius = 3;
    double y = (panel.top + panel.plot_top) / 2;
    for (int i = 0; i < count; ++i) {
        const wind_arrow& a = arrows[i];
        double x = x_of(axis, a.hour);
        std::string key = std::string(" data-") + key_name + "=\"" + std::to_string(a.key) + "\"";
        const char* fewer = a.from_degrees.fewer_stations ? " fewer-stations" : "";
        if (a.calm) {
            out << "<circle class=\"wind-calm" << fewer << "\"" << key << svg_attr("cx", x)
                << svg_attr("cy", y) << svg_attr("r", calm_radius) << " fill=\"none\" stroke=\""
                << arrow_colour << "\" stroke-width=\"1.5\"/>\n";
            continue;
        }
        if (!std::isfinite(a.from_degrees.value)) continue;
        // The air moves away from where it comes from; screen y grows downwards.
        double to = (a.from_degrees.value + 180) * pi / 180;
        double dx = std::sin(to), dy = -std::cos(to);
        double tip_x = x + dx * half, tip_y = y + dy * half;
        double back_x = tip_x - dx * head, back_y = tip_y - dy * head;
        out << "<path class=\"wind-dir" << fewer << "\"" << key
            << svg_attr("data-value", a.from_degrees.value) << " d=\"M" << svg_number(x - dx * half)
            << ',' << svg_number(y - dy * half) << 'L' << svg_number(back_x) << ','
            << svg_number(back_y) << 'M' << svg_number(tip_x) << ',' << svg_number(tip_y) << 'L'
            << svg_number(back_x - dy * head_width) << ',' << svg_number(back_y + dx * head_width)
            << 'L' << svg_number(back_x + dy * head_width) << ','
            << svg_number(back_y - dx * head_width) << "Z\" fill=\""
            << (a.from_degrees.fewer_stations ? paper_colour : arrow_colour) << "\" stroke=\""
            << arrow_colour << "\" stroke-width=\"1.5\" stroke-linejoin=\"round\"/>\n";
    }
}
