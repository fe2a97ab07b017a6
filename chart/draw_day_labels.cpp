#include "chart/chart_drawing.h"
#include "chart/palette.h"
#include "chart/svg.h"

#include <cmath>
#include <ostream>

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
        utc_time day = add_hours(axis.origin, static_cast<long long>(start));
        if (!axis.dated) {
            // Without a date the band still names the days, counted from hour 0.
            if (start < 0) continue;
            out << "<text class=\"day-label\""
                << svg_attr("x", (x_of(axis, from) + x_of(axis, to)) / 2) << svg_attr("y", y)
                << " text-anchor=\"middle\" font-weight=\"bold\">day "
                << static_cast<long long>(start / 24) + 1 << "</text>\n";
            continue;
        }
        out << "<text class=\"day-label\"" << svg_attr("x", (x_of(axis, from) + x_of(axis, to)) / 2)
            << svg_attr("y", y) << " text-anchor=\"middle\" font-weight=\"bold\">"
            << svg_escape(day_label(day));
        long long number = days_since_epoch(day) - days_since_epoch(origin_day);
        if (number_days && number >= 1)
            out << "<tspan font-weight=\"normal\" fill=\"" << quiet_text_colour << "\"> day "
                << number << "</tspan>";
        out << "</text>\n";
    }
}
