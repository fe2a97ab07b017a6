#pragma once

#include "calendar/utc_time.h"
#include "chart/svg.h"

#include <iosfwd>
#include <string>

// Where the parts of a chart stand and the axes that measure them: one time axis shared by
// panels stacked down the page, each panel with its own value scale, the title line and
// the day labels above the panels, the hour axis and the footnotes below the last one.
// Every function writes complete SVG elements to out.

// The page, in pixels, the same in every chart.
inline constexpr int chart_width = 1100;
inline constexpr double plot_left = 70;    // room on the left for tick labels and units
inline constexpr double plot_right = 1070; // and a margin on the right

inline constexpr double title_baseline = 26;
inline constexpr double title_font_size = 17;
inline constexpr double day_label_baseline = 56;
inline constexpr double first_panel_top = 86;
// Between two panels: room for the lower one's title and legend.
inline constexpr double panel_gap = 26;
// A panel's title and legend stand this far above its top.
inline constexpr double panel_title_rise = 7;
// Below the last panel: the baselines of the hour labels and of the axis title.
inline constexpr double hour_label_drop = 19, axis_title_drop = 38;
// The first footnote's baseline below the last panel, under the hour axis and its title,
// and the lines' spacing.
inline constexpr double footnote_drop = 64;
inline constexpr double footnote_leading = 18;

// The shared horizontal axis: hours after origin, from first_hour at pixel left to
// last_hour at pixel right.
struct time_axis {
    double first_hour, last_hour;
    double left, right;
    utc_time origin;   // the time of hour 0
    bool dated;        // origin's date is known; otherwise only its hour of day is
    bool clock_labels; // ticks read the UTC hour of day rather than the hour count
};

// Ticks of a value axis: from min to max in steps of step, labelled with decimals digits.
struct value_scale {
    double min, max, step;
    int decimals;
};

// A panel: its box from top to bottom; the scale maps max to plot_top and min to bottom,
// and the strip between top and plot_top is left for wind arrows.
struct panel_box {
    double top, plot_top, bottom;
    value_scale scale;
};

// An axis longer than this many hours gets no hour ticks, day lines or day labels rather
// than millions of them; the chart writers refuse such an axis before drawing anything.
inline constexpr double max_axis_hours = 5000;
inline constexpr int max_axis_days = static_cast<int>(max_axis_hours / 24) + 2;
// Hours beyond this from hour 0 are no forecast's, and far from where doubles stop
// counting whole hours.
inline constexpr double max_hour_reach = 1e12;

// Whether an axis is short enough, and near enough to hour 0, to draw its ticks, day lines
// and day labels.
inline bool axis_drawable(const time_axis& axis) {
    return axis.last_hour - axis.first_hour <= max_axis_hours &&
           axis.first_hour >= -max_hour_reach && axis.last_hour <= max_hour_reach;
}

inline double x_of(const time_axis& axis, double hour) {
    return axis.left +
           (hour - axis.first_hour) / (axis.last_hour - axis.first_hour) * (axis.right - axis.left);
}

inline double y_of(const panel_box& panel, double value) {
    const value_scale& s = panel.scale;
    return panel.bottom - (value - s.min) / (s.max - s.min) * (panel.bottom - panel.plot_top);
}

// How much room a panel takes from top to bottom: the strip above its plot area (where
// wind arrows go) and the plot area itself.
struct panel_size {
    double strip, plot;
};

// The boxes of count panels stacked downwards from top, each top gap below the bottom of
// the panel above. The scales are the caller's.
void stack_panels(double top, double gap, const panel_size* sizes, int count, panel_box* boxes);

// A scale of round ticks, about steps steps, that holds low to high: an end is exactly low
// (or high) when fixed, and otherwise leaves a little room for marks and their labels.
// Both must be finite.
value_scale nice_scale(double low, double high, bool fixed_min, bool fixed_max, int steps);

// The chart's title line: bold, then rest in plain weight, both escaped.
void draw_chart_title(std::ostream& out, const std::string& bold, const std::string& rest);

// Opens the panel's group, which closes when the returned group goes out of scope: its
// <title>, the title text above the box, light gridlines with tick labels (each label's y
// is its tick's y), the unit as the axis title, faint lines at the day boundaries and the
// frame.
svg_group begin_panel(std::ostream& out, const time_axis& axis, const panel_box& panel,
                      const std::string& id, const std::string& title, const std::string& unit);

// The day boundaries' labels ("Fri 5 Mar", with "day N" when number_days, N counted from
// origin's date) centred over each day, at baseline y; when the date is unknown, "day N"
// alone, day 1 the 24 hours from hour 0.
void draw_day_labels(std::ostream& out, const time_axis& axis, double y, bool number_days);

// Minor ticks every 6 hours below bottom, labels every 12 hours, and the axis title.
void draw_hour_ticks(std::ostream& out, const time_axis& axis, double bottom,
                     const std::string& title);

// Footnote number line (from 0) below the last panel, whose bottom is bottom. The text is
// markup: the caller escapes what it takes from outside.
void draw_footnote(std::ostream& out, double bottom, int line, const std::string& markup);
