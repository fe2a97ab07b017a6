#include "chart/chart_layout.h"

#include "chart/palette.h"

#include <cmath>
#include <cstdio>
#include <ostream>
#include <utility>

void stack_panels(double top, double gap, const panel_size* sizes, int count, panel_box* boxes) {
    for (int i = 0; i < count; ++i) {
        double plot_top = top + sizes[i].strip, bottom = plot_top + sizes[i].plot;
        boxes[i] = panel_box{top, plot_top, bottom, value_scale{0, 1, 1, 0}};
        top = bottom + gap;
    }
}

value_scale nice_scale(double low, double high, bool fixed_min, bool fixed_max, int steps) {
    // Beyond this a chart has nothing readable left to show; the clamp keeps steps finite.
    const double limit = 1e12;
    // Room for the marks and their labels at the ends that the data decide, as a share of
    // the span.
    const double end_room = 0.06;
    // A span finer than this is drawn as flat: its steps would need more decimals than a
    // label can show, and a denormal one no step at all.
    const double finest_span = 1e-6;
    low = std::fmax(-limit, std::fmin(limit, low));
    high = std::fmax(-limit, std::fmin(limit, high));
    if (high < low) std::swap(low, high);
    if (steps < 1) steps = 1;
    double span = high - low;
    if (!(span >= finest_span)) span = std::fmax(1.0, std::fabs(low) * 0.1);
    if (!fixed_min) low -= end_room * span;
    if (!fixed_max) high += end_room * span;
    if (!(high - low >= finest_span)) high = low + span;

    // The finest round step (1, 2, 2.5 or 5 times a power of ten) that needs no more than
    // steps steps once the free ends are rounded out to it.
    static const double mantissas[] = {1, 2, 2.5, 5};
    int exponent = static_cast<int>(std::floor(std::log10((high - low) / steps)));
    for (;; ++exponent) {
        for (double mantissa : mantissas) {
            double step = mantissa * std::pow(10.0, exponent);
            double min = fixed_min ? low : std::floor(low / step) * step;
            double max = fixed_max ? high : std::ceil(high / step) * step;
            if (std::ceil((max - min) / step - 1e-9) > steps) continue;
            int decimals = exponent >= 0 ? 0 : -exponent;
            if (mantissa == 2.5 && exponent <= 0) ++decimals;
            return value_scale{min, max, step, decimals};
        }
    }
}

void draw_chart_title(std::ostream& out, const std::string& bold, const std::string& rest) {
    out << "<text" << svg_attr("x", plot_left) << svg_attr("y", title_baseline)
        << svg_attr("font-size", title_font_size) << "><tspan font-weight=\"bold\">"
        << svg_escape(bold) << "</tspan>" << svg_escape(rest) << "</text>\n";
}

// A scale finer than this would only blacken the panel with gridlines.
static const int max_value_ticks = 50;
static const double tick_label_gap = 6; // between a tick label's end and the frame
static const double unit_offset = 50;   // the unit's centre left of the frame

svg_group begin_panel(std::ostream& out, const time_axis& axis, const panel_box& panel,
                      const std::string& id, const std::string& title, const std::string& unit) {
    svg_group group = open_group(out, svg_attr("id", id) + " class=\"panel\"");
    out << "<title>" << svg_escape(title) << "</title>\n";
    out << "<text" << svg_attr("x", axis.left) << svg_attr("y", panel.top - panel_title_rise)
        << " font-size=\"13\" font-weight=\"bold\">" << svg_escape(title) << "</text>\n";

    const value_scale& s = panel.scale;
    int ticks = static_cast<int>(std::lround((s.max - s.min) / s.step));
    for (int i = 0; i <= ticks && i <= max_value_ticks; ++i) {
        double value = s.min + i * s.step;
        if (value > s.max + s.step * 1e-9) break;
        double y = y_of(panel, value);
        out << "<line" << svg_attr("x1", axis.left) << svg_attr("x2", axis.right)
            << svg_attr("y1", y) << svg_attr("y2", y) << " stroke=\"" << grid_colour << "\"/>\n";
        char label[64];
        std::snprintf(label, sizeof label, "%.*f", s.decimals, value);
        // "-0.0" and "0.0" alike read 0.
        bool zero = std::string(label).find_first_not_of("-0.") == std::string::npos;
        // The label's y is its tick's y, so that a reader of the file can recover the scale.
        out << "<text class=\"y-tick\"" << svg_attr("x", axis.left - tick_label_gap)
            << svg_attr("y", y) << " text-anchor=\"end\" dominant-baseline=\"central\">"
            << (zero ? "0" : label) << "</text>\n";
    }
    double unit_x = axis.left - unit_offset, unit_y = (panel.plot_top + panel.bottom) / 2;
    out << "<text class=\"unit\"" << svg_attr("x", unit_x) << svg_attr("y", unit_y)
        << " text-anchor=\"middle\" dominant-baseline=\"central\" transform=\"rotate(-90 "
        << svg_number(unit_x) << ' ' << svg_number(unit_y) << ")\">" << svg_escape(unit)
        << "</text>\n";

    // Day boundaries: the hours at which the UTC day turns; none on an axis too long to draw.
    // Counted, so that even an axis far from hour 0 ends.
    double first = std::ceil((axis.first_hour + axis.origin.hour) / 24) * 24 - axis.origin.hour;
    for (int day = 0; axis_drawable(axis) && day <= max_axis_days; ++day) {
        double hour = first + 24.0 * day;
        if (hour >= axis.last_hour) break;
        if (hour <= axis.first_hour) continue;
        double x = x_of(axis, hour);
        out << "<line class=\"day-line\"" << svg_attr("x1", x) << svg_attr("x2", x)
            << svg_attr("y1", panel.top) << svg_attr("y2", panel.bottom) << " stroke=\""
            << day_line_colour << "\"/>\n";
    }
    out << "<rect" << svg_attr("x", axis.left) << svg_attr("y", panel.top)
        << svg_attr("width", axis.right - axis.left) << svg_attr("height", panel.bottom - panel.top)
        << " fill=\"none\" stroke=\"" << frame_colour << "\"/>\n";
    return group;
}

// A day cut shorter than this by the ends of the axis has no room for its label.
static const double min_label_room = 64;

void draw_day_labels(std::ostream& out, const time_axis& axis, double y, bool number_days) {
    if (!axis_drawable(axis)) return;
    utc_time origin_day = axis.origin;
    origin_day.hour = 0;
    double first = std::floor((axis.first_hour + axis.origin.hour) / 24) * 24 - axis.origin.hour;
    for (int k = 0; k <= max_axis_days; ++k) {
        double start = first + 24.0 * k;
        if (start >= axis.last_hour) break;
        double from = std::fmax(start, axis.first_hour), to = std::fmin(start + 24, axis.last_hour);
        if (x_of(axis, to) - x_of(axis, from) < min_label_room) continue;
        if (!axis.dated && start < 0) continue;
        out << "<text class=\"day-label\"" << svg_attr("x", (x_of(axis, from) + x_of(axis, to)) / 2)
            << svg_attr("y", y) << " text-anchor=\"middle\" font-weight=\"bold\">";
        if (!axis.dated) {
            // Without a date the band still names the days, counted from hour 0.
            out << "day " << static_cast<long long>(start / 24) + 1 << "</text>\n";
            continue;
        }
        utc_time day = add_hours(axis.origin, static_cast<long long>(start));
        out << svg_escape(day_label(day));
        long long number = days_since_epoch(day) - days_since_epoch(origin_day);
        if (number_days && number >= 1)
            out << "<tspan font-weight=\"normal\" fill=\"" << quiet_text_colour << "\"> day "
                << number << "</tspan>";
        out << "</text>\n";
    }
}

// Tick lengths below the axis.
static const double major_tick = 6, minor_tick = 3;

void draw_hour_ticks(std::ostream& out, const time_axis& axis, double bottom,
                     const std::string& title) {
    if (axis_drawable(axis)) {
        long long first = static_cast<long long>(std::ceil(axis.first_hour));
        long long last = static_cast<long long>(std::floor(axis.last_hour));
        for (long long hour = first; hour <= last; ++hour) {
            long long reference = axis.clock_labels ? hour + axis.origin.hour : hour;
            long long of_day = ((reference % 24) + 24) % 24;
            if (reference % 6 != 0) continue;
            bool major = reference % 12 == 0;
            double x = x_of(axis, static_cast<double>(hour));
            out << "<line" << svg_attr("x1", x) << svg_attr("x2", x) << svg_attr("y1", bottom)
                << svg_attr("y2", bottom + (major ? major_tick : minor_tick)) << " stroke=\""
                << tick_colour << "\"/>\n";
            if (!major) continue;
            std::string label =
                axis.clock_labels ? (of_day == 0 ? "00Z" : "12Z") : std::to_string(hour);
            out << "<text class=\"x-tick\"" << svg_attr("x", x)
                << svg_attr("y", bottom + hour_label_drop) << " text-anchor=\"middle\">" << label
                << "</text>\n";
        }
    }
    out << "<text" << svg_attr("x", (axis.left + axis.right) / 2)
        << svg_attr("y", bottom + axis_title_drop) << " text-anchor=\"middle\">"
        << svg_escape(title) << "</text>\n";
}

void draw_footnote(std::ostream& out, double bottom, int line, const std::string& markup) {
    out << "<text" << svg_attr("x", plot_left)
        << svg_attr("y", bottom + footnote_drop + line * footnote_leading) << " fill=\""
        << footnote_colour << "\">" << markup << "</text>\n";
}
