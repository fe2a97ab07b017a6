#pragma once

#include "calendar/utc_time.h"
#include "chart/chart_value.h"
#include "chart/svg.h"

#include <iosfwd>
#include <string>

// The pieces a meteogram is built of: one time axis shared by stacked panels, each panel
// with its own value scale. Every function writes complete SVG elements to out.

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

// Opens the panel's group, which closes when the returned group goes out of scope: its
// <title>, the title text above the box, light gridlines with tick labels (each label's y
// is its tick's y), the unit as the axis title, faint lines at the day boundaries and the
// frame.
svg_group begin_panel(std::ostream& out, const time_axis& axis, const panel_box& panel,
                      const std::string& id, const std::string& title, const std::string& unit);

// A value's label for the mark at (x, y), preferred above it (side > 0) or below.
struct value_label {
    double x, y, value;
    int side;
    const char* colour;
};
// Where a mark stands, which no label may cover.
struct chart_mark {
    double x, y;
};

// The labels, rounded to decimals digits, each on its preferred side of its mark, else on
// the other, else beside it, whichever first covers none of the marks and no label
// placed before it (earlier labels win their place).
void draw_value_labels(std::ostream& out, const value_label* labels, int count,
                       const chart_mark* marks, int mark_count, int decimals = 0);

// A dashed, labelled line at 32 °F across the plot, where the panel's scale holds it:
// the freezing point forecasters look for.
void draw_freezing_line(std::ostream& out, const time_axis& axis, const panel_box& panel);

// The day boundaries' labels ("Fri 5 Mar", with "day N" when number_days, N counted from
// origin's date) centred over each day, at baseline y; when the date is unknown, "day N"
// alone, day 1 the 24 hours from hour 0.
void draw_day_labels(std::ostream& out, const time_axis& axis, double y, bool number_days);

// Minor ticks every 6 hours below bottom, labels every 12 hours, and the axis title.
void draw_hour_ticks(std::ostream& out, const time_axis& axis, double bottom,
                     const std::string& title);

// One point of a series: where it stands in time, its value and a key (a day or an hour)
// that its mark carries as the attribute data-KEYNAME.
struct chart_point {
    double hour;
    chart_value value;
    int key;
};

enum class marker_shape { none, circle, square };

// How a series is drawn: marks with class css_class, its line with class css_class-line.
struct series_style {
    const char* css_class;
    const char* colour;
    const char* dash; // stroke-dasharray, or nullptr for a solid line
    marker_shape marker;
    const char* key_name;
};

// The series' line, broken wherever a value is missing.
void draw_line(std::ostream& out, const time_axis& axis, const panel_box& panel,
               const series_style& style, const chart_point* points, int count);

// A mark at each value that is not missing, hollow when it rests on fewer stations; with
// label_side +1 or -1 the value rounded to a whole number is written above or below it.
void draw_markers(std::ostream& out, const time_axis& axis, const panel_box& panel,
                  const series_style& style, const chart_point* points, int count, int label_side);

// One mark at (x, y), used by the series and the legends alike.
void draw_marker(std::ostream& out, marker_shape shape, double x, double y, const char* colour,
                 bool hollow, const std::string& attributes);

// Bars from the scale's minimum (or its zero) up to each value, from start_hour to
// end_hour; hollow when resting on fewer stations, none when missing. With label_values
// each bar carries its value rounded to a whole number.
struct chart_bar {
    double start_hour, end_hour;
    chart_value value;
    int key;
};
void draw_bars(std::ostream& out, const time_axis& axis, const panel_box& panel,
               const series_style& style, const chart_bar* bars, int count, bool label_values);

// A filled band between low and high at each hour, broken where either is missing (NaN).
struct band_point {
    double hour, low, high;
};
void draw_band(std::ostream& out, const time_axis& axis, const panel_box& panel,
               const char* css_class, const char* fill, const band_point* points, int count);

// Short arrows in the strip above the panel's plot area, one per hour, pointing where the
// wind blows to (a wind from 0 degrees points down); a small circle when calm; hollow
// heads when resting on fewer stations; nothing when the direction is missing.
struct wind_arrow {
    double hour;
    chart_value from_degrees;
    bool calm;
    int key;
};
void draw_wind_arrows(std::ostream& out, const time_axis& axis, const panel_box& panel,
                      const char* key_name, const wind_arrow* arrows, int count);

// A legend entry: a line sample (dash, marker) or, with swatch, a filled box with an
// optional outline.
struct legend_entry {
    const char* label;
    const char* colour;
    const char* dash;
    marker_shape marker;
    bool swatch;
    const char* outline;
};

// The entries in a row ending at right, on baseline y.
void draw_legend(std::ostream& out, const legend_entry* entries, int count, double right, double y);
