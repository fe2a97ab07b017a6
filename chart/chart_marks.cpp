#include "chart/chart_marks.h"

#include "chart/palette.h"
#include "chart/svg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

void take_range(const chart_point* points, int count, double& low, double& high) {
    for (int i = 0; i < count; ++i) {
        double v = points[i].value.value;
        if (!std::isfinite(v)) continue;
        low = std::fmin(low, v);
        high = std::fmax(high, v);
    }
}

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

// Half the width of a mark, and the radius of a ring around one.
static const double mark_radius = 4.5;
static const double ring_radius = 9;

// One mark at (x, y), for the series and the legends alike.
static void draw_marker(std::ostream& out, marker_shape shape, double x, double y,
                        const char* colour, bool hollow, const std::string& attributes) {
    // A white rim keeps a filled mark apart from the lines it sits on; a hollow one is
    // white inside with a heavier rim in the series' colour.
    std::string paint = std::string(" fill=\"") + (hollow ? paper_colour : colour) +
                        "\" stroke=\"" + (hollow ? colour : paper_colour) + "\" stroke-width=\"" +
                        (hollow ? "2" : "1") + "\"";
    if (shape == marker_shape::ring) {
        out << "<circle" << attributes << svg_attr("cx", x) << svg_attr("cy", y)
            << svg_attr("r", ring_radius) << " fill=\"none\" stroke=\"" << colour
            << "\" stroke-width=\"2\"/>\n";
    } else if (shape == marker_shape::square) {
        out << "<rect" << attributes << svg_attr("x", x - mark_radius)
            << svg_attr("y", y - mark_radius) << svg_attr("width", 2 * mark_radius)
            << svg_attr("height", 2 * mark_radius) << paint << "/>\n";
    } else {
        out << "<circle" << attributes << svg_attr("cx", x) << svg_attr("cy", y)
            << svg_attr("r", mark_radius) << paint << "/>\n";
    }
}

void draw_markers(std::ostream& out, const time_axis& axis, const panel_box& panel,
                  const series_style& style, const chart_point* points, int count) {
    for (int i = 0; i < count; ++i) {
        const chart_value& v = points[i].value;
        if (!std::isfinite(v.value)) continue;
        if (style.marker == marker_shape::none && !v.fewer_stations) continue;
        double x = x_of(axis, points[i].hour), y = y_of(panel, v.value);
        std::string attributes = std::string(" class=\"") + style.css_class +
                                 (v.fewer_stations ? " fewer-stations" : "") + "\" data-" +
                                 style.key_name + "=\"" + std::to_string(points[i].key) + "\"" +
                                 svg_attr("data-value", v.value);
        marker_shape shape =
            style.marker == marker_shape::none ? marker_shape::circle : style.marker;
        draw_marker(out, shape, x, y, style.colour, v.fewer_stations, attributes);
    }
}

void draw_rings(std::ostream& out, const time_axis& axis, const panel_box& panel,
                const series_style& style, const chart_point* points, int count) {
    for (int i = 0; i < count; ++i) {
        const double value = points[i].value.value;
        if (!std::isfinite(value)) continue;
        const std::string attributes = std::string(" class=\"") + style.css_class + "\" data-" +
                                       style.key_name + "=\"" + std::to_string(points[i].key) +
                                       "\"";
        draw_marker(out, marker_shape::ring, x_of(axis, points[i].hour), y_of(panel, value),
                    style.colour, false, attributes);
    }
}

static const double bar_gap = 1.5; // kept clear at each end, so neighbours stay bars of their own
static const double bar_label_rise = 4; // a value's label above its bar

void draw_bars(std::ostream& out, const time_axis& axis, const panel_box& panel,
               const series_style& style, const chart_bar* bars, int count, bool label_values) {
    const value_scale& s = panel.scale;
    double base = y_of(panel, s.min <= 0 && s.max >= 0 ? 0 : s.min);
    for (int i = 0; i < count; ++i) {
        const chart_value& v = bars[i].value;
        double from = std::fmax(bars[i].start_hour, axis.first_hour);
        double to = std::fmin(bars[i].end_hour, axis.last_hour);
        if (!std::isfinite(v.value) || to <= from) continue;
        double x0 = x_of(axis, from) + bar_gap, x1 = x_of(axis, to) - bar_gap;
        double y = y_of(panel, v.value);
        out << "<rect class=\"" << style.css_class << (v.fewer_stations ? " fewer-stations" : "")
            << "\" data-" << style.key_name << "=\"" << bars[i].key << "\""
            << svg_attr("data-value", v.value) << svg_attr("x", x0)
            << svg_attr("y", std::fmin(y, base)) << svg_attr("width", std::fmax(x1 - x0, 1))
            << svg_attr("height", std::fabs(base - y));
        if (v.fewer_stations)
            out << " fill=\"" << paper_colour << "\" stroke=\"" << style.colour
                << "\" stroke-width=\"2\"/>\n";
        else
            out << " fill=\"" << style.colour << "\"/>\n";
        if (!label_values) continue;
        char label[32];
        std::snprintf(label, sizeof label, "%.0f", v.value);
        out << "<text class=\"value-label\"" << svg_attr("x", (x0 + x1) / 2)
            << svg_attr("y", std::fmin(y, base) - bar_label_rise) << " text-anchor=\"middle\">"
            << label << "</text>\n";
    }
}

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

namespace {

// A box by its centre and half sizes.
struct box {
    double x, y, half_width, half_height;
};

} // namespace

static bool overlap(const box& a, const box& b) {
    return std::fabs(a.x - b.x) < a.half_width + b.half_width &&
           std::fabs(a.y - b.y) < a.half_height + b.half_height;
}

// The 12-pixel digits of the charts, about 7 pixels wide, with their halo; a mark's
// box is a little larger than the largest marker.
static const double digit_width = 7, halo = 2, label_half_height = 7, mark_half_size = 6;
// From a mark to the centre of a label above or below it, and beside it.
static const double label_offset = 14, side_gap = 4;
// From the centre of a label to its baseline.
static const double baseline_drop = 4;

void draw_value_labels(std::ostream& out, const value_label* labels, int count,
                       const chart_mark* marks, int mark_count, int decimals) {
    // More digits than a double holds would only print noise.
    decimals = std::max(0, std::min(decimals, 17));
    std::vector<box> taken;
    taken.reserve(static_cast<std::size_t>(std::max(0, mark_count)) +
                  static_cast<std::size_t>(std::max(0, count)));
    for (int m = 0; m < mark_count; ++m)
        taken.push_back(box{marks[m].x, marks[m].y, mark_half_size, mark_half_size});
    for (int i = 0; i < count; ++i) {
        const value_label& l = labels[i];
        if (!std::isfinite(l.value) || !std::isfinite(l.x) || !std::isfinite(l.y)) continue;
        char digits[32];
        std::snprintf(digits, sizeof digits, "%.*f", decimals, l.value);
        // A value that rounds to zero drops its sign: "-0" reads "0", "-0.0" reads "0.0".
        const bool zero = std::string(digits).find_first_not_of("-0.") == std::string::npos;
        const std::string text = zero && digits[0] == '-' ? digits + 1 : digits;
        const double half_width = digit_width * static_cast<double>(text.size()) / 2 + halo;
        const double side = half_width + mark_half_size + side_gap;
        const double preferred = l.side > 0 ? -label_offset : label_offset;
        // Its own side first, then the other, then beside the mark: the first that covers
        // no mark and no label placed before.
        const box candidates[] = {
            {l.x, l.y + preferred, half_width, label_half_height},
            {l.x, l.y - preferred, half_width, label_half_height},
            {l.x + side, l.y, half_width, label_half_height},
            {l.x - side, l.y, half_width, label_half_height},
        };
        box chosen = candidates[0];
        for (const box& c : candidates) {
            bool free = true;
            for (const box& t : taken) free = free && !overlap(c, t);
            if (free) {
                chosen = c;
                break;
            }
        }
        taken.push_back(chosen);
        out << "<text class=\"value-label\"" << svg_attr("x", chosen.x)
            << svg_attr("y", chosen.y + baseline_drop)
            // A white halo keeps the label readable where a line runs behind it.
            << " text-anchor=\"middle\" paint-order=\"stroke\" stroke=\"" << paper_colour
            << "\" stroke-width=\"3\" stroke-linejoin=\"round\" fill=\"" << l.colour << "\">"
            << text << "</text>\n";
    }
}

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
        } else if (e.marker == marker_shape::ring) {
            draw_marker(out, e.marker, x + sample / 2, y - line_rise, e.colour, false, "");
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
