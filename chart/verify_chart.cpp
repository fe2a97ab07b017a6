#include "chart/verify_chart.h"

#include "chart/chart_layout.h"
#include "chart/chart_marks.h"
#include "chart/palette.h"
#include "chart/svg.h"

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <type_traits>

static const int height = 680;

namespace {

// The panels from the top down, and the room each takes.
enum panel_index { low_panel, high_panel, panel_count };
const panel_size panel_sizes[panel_count] = {{0, 220}, {0, 220}};

} // namespace

static constexpr int day_count =
    static_cast<int>(std::extent_v<decltype(verify_chart_input::issued), 1>);

// Day d takes the hours 24 (d - 1) to 24 d of the axis, so that the axis's day lines and
// "day N" labels frame it; its errors stand in its middle.
static const double hours_per_day = 24;

using error_table = double[panel_count][day_count];

namespace {

// How one series is drawn. The series stand a little apart within each day, so that equal
// errors keep their marks and labels apart; the issued blend keeps the middle.
struct error_series {
    series_style style;
    std::string label;
    const error_table* values;
    double offset_hours;
    int label_side;
};

} // namespace

static const char* const panel_ids[panel_count] = {"low", "high"};
static const char* const panel_titles[panel_count] = {"Low temperature: mean absolute error",
                                                      "High temperature: mean absolute error"};
static const char* const element_names[panel_count] = {"low", "high"};

// A guidance by its model's name, or by its place where the name is not known.
static std::string model_name(const std::string& name, const char* otherwise) {
    return name.empty() ? otherwise : name;
}

// An error that no chart can show: one that is infinite or below zero.
static bool refuse_errors(const error_table& values, const std::string& series, fault& why) {
    for (int p = 0; p < panel_count; ++p)
        for (int d = 0; d < day_count; ++d) {
            double v = values[p][d];
            if (std::isnan(v) || (std::isfinite(v) && v >= 0)) continue;
            why = fault{fault_kind::refused_input,
                        "the mean absolute error of the " + series + "'s " + element_names[p] +
                            " on day " + std::to_string(d + 1) + " is " + number_text("%g", v) +
                            ", no error to chart",
                        ""};
            return true;
        }
    return false;
}

static void write_error_panel(std::ostream& out, const time_axis& axis, const panel_box& panel,
                              int p, const error_series* series, int series_count) {
    const int most = 4;
    series_count = std::min(series_count, most);
    chart_point points[most][day_count];
    chart_mark marks[most * day_count];
    value_label labels[most * day_count];
    int n = 0;
    for (int s = 0; s < series_count; ++s)
        for (int d = 0; d < day_count; ++d) {
            const double v = (*series[s].values)[p][d];
            const double hour = hours_per_day * d + hours_per_day / 2 + series[s].offset_hours;
            points[s][d] = chart_point{hour, chart_value{v, false}, d + 1};
            const double x = x_of(axis, hour), y = y_of(panel, v);
            marks[n] = chart_mark{x, std::isfinite(y) ? y : -1e9};
            labels[n++] = value_label{x, y, v, series[s].label_side, series[s].style.colour};
        }
    svg_group group = begin_panel(out, axis, panel, panel_ids[p], panel_titles[p], "°F");
    // The first series is drawn last, on top of the others.
    for (int s = series_count - 1; s >= 0; --s)
        draw_line(out, axis, panel, series[s].style, points[s], day_count);
    for (int s = series_count - 1; s >= 0; --s)
        draw_markers(out, axis, panel, series[s].style, points[s], day_count);
    // Tenths of a degree tell apart errors that whole degrees would make equal.
    draw_value_labels(out, labels, n, marks, n, 1);
    bool any = false;
    for (int i = 0; i < n; ++i) any = any || std::isfinite(labels[i].value);
    if (!any)
        out << "<text" << svg_attr("x", (axis.left + axis.right) / 2)
            << svg_attr("y", (panel.plot_top + panel.bottom) / 2)
            << " text-anchor=\"middle\" dominant-baseline=\"central\" fill=\"" << quiet_text_colour
            << "\">no pairs to score</text>\n";
    legend_entry legend[most];
    for (int s = 0; s < series_count; ++s)
        legend[s] = legend_entry{series[s].label.c_str(),
                                 series[s].style.colour,
                                 series[s].style.dash,
                                 series[s].style.marker,
                                 false,
                                 nullptr};
    draw_legend(out, legend, series_count, plot_right, panel.top - panel_title_rise);
}

bool write_verify_chart(std::ostream& out, const verify_chart_input& in, fault& why) {
    const std::string first = model_name(in.first_model, "first guidance");
    const std::string second = model_name(in.second_model, "second guidance");
    if (refuse_errors(in.issued, "issued blend", why) ||
        refuse_errors(in.first, model_name(in.first_model, "first") + " guidance", why) ||
        refuse_errors(in.second, model_name(in.second_model, "second") + " guidance", why) ||
        refuse_errors(in.fitted, "blend at the fitted weight", why))
        return false;
    if (std::isinf(in.weight)) {
        why =
            fault{fault_kind::refused_input, "the fitted weight is no finite number to chart", ""};
        return false;
    }

    // The blend as issued with the forecasts' solid line and circles, each guidance alone
    // dashed or dotted, and the fitted blend, drawn only where a weight was fitted.
    const error_series drawn[] = {
        {{"issued", issued_blend_colour, nullptr, marker_shape::circle, "day"},
         "issued blend",
         &in.issued,
         0,
         1},
        {{"first", first_guidance_colour, dashed, marker_shape::square, "day"},
         first + " alone",
         &in.first,
         -10,
         -1},
        {{"second", second_guidance_colour, dotted, marker_shape::circle, "day"},
         second + " alone",
         &in.second,
         -5,
         -1},
        {{"fitted", fitted_blend_colour, dash_dotted, marker_shape::square, "day"},
         "blend at " + first + " weight " + number_text("%.2f", in.weight),
         &in.fitted,
         5,
         1},
    };
    const int drawn_count = std::isfinite(in.weight) ? 4 : 3;

    // One scale for both panels, so that the lows' errors and the highs' compare at a
    // glance; from zero, and 0 to 1 when there is nothing to show.
    double high = 0;
    bool any_gap = false;
    for (int s = 0; s < drawn_count; ++s)
        for (int p = 0; p < panel_count; ++p)
            for (int d = 0; d < day_count; ++d) {
                const double v = (*drawn[s].values)[p][d];
                if (std::isnan(v)) {
                    any_gap = any_gap || s == 0;
                    continue;
                }
                high = std::fmax(high, v);
            }
    // A tenth more keeps the label above the highest mark inside the frame.
    const double label_room = 1.1;
    const value_scale scale =
        high > 0 ? nice_scale(0, high * label_room, true, false, 5) : value_scale{0, 1, 0.5, 1};

    time_axis axis{
        0, hours_per_day * day_count, plot_left, plot_right, utc_time{1970, 1, 1, 0}, false, false};
    panel_box panels[panel_count];
    stack_panels(first_panel_top, panel_gap, panel_sizes, panel_count, panels);

    begin_svg(out, chart_width, height, "Verification chart, " + in.period);
    draw_chart_title(out, "Verification", "  " + in.period);
    draw_day_labels(out, axis, day_label_baseline, false);
    for (int p = 0; p < panel_count; ++p) {
        panels[p].scale = scale;
        write_error_panel(out, axis, panels[p], p, drawn, drawn_count);
    }

    const double bottom = panels[panel_count - 1].bottom;
    draw_day_labels(out, axis, bottom + hour_label_drop, false);
    out << "<text" << svg_attr("x", (axis.left + axis.right) / 2)
        << svg_attr("y", bottom + axis_title_drop)
        << " text-anchor=\"middle\">forecast day: day N of a forecast is the Nth day after its "
           "issue</text>\n";
    std::string pairs = "Pairs of forecast and observation behind the issued blend (low/high):";
    for (int d = 0; d < day_count; ++d)
        pairs += std::string(d > 0 ? "," : "") + " day " + std::to_string(d + 1) + ' ' +
                 std::to_string(in.pairs[low_panel][d]) + '/' +
                 std::to_string(in.pairs[high_panel][d]);
    const std::string lines[] = {
        "Mean absolute error, in °F, of the City of Vuzazav's forecast lows and highs against "
        "the observed minimum and maximum.",
        pairs + '.',
        std::string("Each guidance alone and the blend at the fitted weight are scored on days 1 "
                    "and 2 only, the days the forecast blends the two.") +
            (any_gap ? " A day without an issued blend mark had no pairs." : "")};
    for (int i = 0; i < 3; ++i) draw_footnote(out, bottom, i, svg_escape(lines[i]));
    end_svg(out);
    return true;
}
