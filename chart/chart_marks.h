#pragma once

#include "chart/chart_layout.h"
#include "pointforecast/city_forecast.h"

#include <iosfwd>

// What stands for the values in a panel: series as lines and marks, bars, bands, wind
// arrows, the freezing line, the values' labels and the legend that keys them. Every
// function writes complete SVG elements to out.

// One value of a chart and how it was made: a value made from fewer stations than usual
// (missing markers) is drawn hollow; a value missing altogether is NaN: it gets no mark and
// leaves a gap in its line.
using chart_value = city_value;

// One point of a series: where it stands in time, its value and a key (a day or an hour)
// that its mark carries as the attribute data-KEYNAME.
struct chart_point {
    double hour;
    chart_value value;
    int key;
};

// Widens low and high to take in the finite values of the count points.
void take_range(const chart_point* points, int count, double& low, double& high);

// A ring is drawn around another mark: a value to look at twice.
enum class marker_shape { none, circle, square, ring };

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

// A mark at each value that is not missing, hollow when it rests on fewer stations; a
// series drawn without marks still marks those, with circles.
void draw_markers(std::ostream& out, const time_axis& axis, const panel_box& panel,
                  const series_style& style, const chart_point* points, int count);

// A ring around the mark of each value that is not missing, in the style's colour, with
// class css_class and the point's key.
void draw_rings(std::ostream& out, const time_axis& axis, const panel_box& panel,
                const series_style& style, const chart_point* points, int count);

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

// A dashed, labelled line at 32 °F across the plot, where the panel's scale holds it:
// the freezing point forecasters look for.
void draw_freezing_line(std::ostream& out, const time_axis& axis, const panel_box& panel);

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
