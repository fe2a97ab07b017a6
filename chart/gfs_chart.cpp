#include "chart/gfs_chart.h"

#include "chart/chart_layout.h"
#include "chart/chart_marks.h"
#include "chart/palette.h"
#include "chart/svg.h"

#include <cmath>
#include <ostream>

static const int height = 900;

namespace {

// The panels from the top down, and the room each takes.
enum panel_index {
    temperature_panel,
    pressure_panel,
    precipitation_panel,
    humidity_panel,
    wind_panel,
    panel_count
};
const panel_size panel_sizes[panel_count] = {{0, 210}, {0, 90}, {0, 80}, {0, 100}, {24, 116}};

} // namespace

// Half a row's step of room at either end keeps the first and last marks off the frame.
static const double axis_margin_hours = 3;
// Each precipitation amount is the total of the hours before its row.
static const double precipitation_hours = 6;

// One member of the rows as chart points keyed by hour, widening low and high to take in
// its values.
static void take_series(const gfs_table_row* rows, double gfs_table_row::*member,
                        chart_point* points, double& low, double& high) {
    for (int i = 0; i < gfs_row_count; ++i)
        points[i] = chart_point{static_cast<double>(rows[i].hour),
                                chart_value{rows[i].*member, false}, rows[i].hour};
    take_range(points, gfs_row_count, low, high);
}

// A scale that holds low to high, or 0 to 1 when no value widened them.
static value_scale scale_of(double low, double high, bool from_zero, int steps) {
    if (!(low <= high)) low = 0, high = 1;
    return nice_scale(from_zero ? 0 : low, high, from_zero, false, steps);
}

static void write_temperature_panel(std::ostream& out, const time_axis& axis, panel_box panel,
                                    const gfs_chart_input& in) {
    chart_point t2m[gfs_row_count], t850[gfs_row_count];
    band_point band[gfs_row_count];
    double low = INFINITY, high = -INFINITY;
    take_series(in.rows, &gfs_table_row::t2m_f, t2m, low, high);
    take_series(in.rows, &gfs_table_row::t850_f, t850, low, high);
    for (int i = 0; i < gfs_row_count; ++i) {
        const gfs_table_row& r = in.rows[i];
        band[i] = band_point{static_cast<double>(r.hour), r.t2m_lowered_f, r.t2m_raised_f};
        for (double v : {r.t2m_lowered_f, r.t2m_raised_f}) {
            if (!std::isfinite(v)) continue;
            low = std::fmin(low, v);
            high = std::fmax(high, v);
        }
    }
    panel.scale = scale_of(low, high, false, 8);
    svg_group group = begin_panel(out, axis, panel, "temperature", "Temperature", "°F");
    draw_band(out, axis, panel, "t2m-band", temperature_band_colour, band, gfs_row_count);
    draw_freezing_line(out, axis, panel);
    const series_style t850_style{"t850", upper_air_colour, dashed, marker_shape::none, "hour"};
    const series_style t2m_style{"t2m", temperature_colour, nullptr, marker_shape::circle, "hour"};
    draw_line(out, axis, panel, t850_style, t850, gfs_row_count);
    draw_line(out, axis, panel, t2m_style, t2m, gfs_row_count);
    draw_markers(out, axis, panel, t2m_style, t2m, gfs_row_count);
    const legend_entry legend[] = {
        {"2 m", temperature_colour, nullptr, marker_shape::circle, false, nullptr},
        {"2 m lowered to raised", temperature_band_colour, nullptr, marker_shape::none, true,
         nullptr},
        {"850 hPa", upper_air_colour, dashed, marker_shape::none, false, nullptr}};
    draw_legend(out, legend, 3, plot_right, panel.top - panel_title_rise);
}

static void write_pressure_panel(std::ostream& out, const time_axis& axis, panel_box panel,
                                 const gfs_chart_input& in) {
    chart_point mslp[gfs_row_count];
    double low = INFINITY, high = -INFINITY;
    take_series(in.rows, &gfs_table_row::mslp_inhg, mslp, low, high);
    panel.scale = scale_of(low, high, false, 5);
    svg_group group = begin_panel(out, axis, panel, "pressure", "Sea-level pressure", "inHg");
    draw_line(out, axis, panel,
              series_style{"mslp", pressure_colour, nullptr, marker_shape::none, "hour"}, mslp,
              gfs_row_count);
}

static void write_precipitation_panel(std::ostream& out, const time_axis& axis, panel_box panel,
                                      const gfs_chart_input& in) {
    chart_point amounts[gfs_row_count];
    chart_bar bars[gfs_row_count];
    double low = 0, high = 0.1;
    take_series(in.rows, &gfs_table_row::precip_in, amounts, low, high);
    for (int i = 0; i < gfs_row_count; ++i)
        bars[i] = chart_bar{amounts[i].hour - precipitation_hours, amounts[i].hour,
                            amounts[i].value, amounts[i].key};
    panel.scale = scale_of(0, high, true, 3);
    svg_group group =
        begin_panel(out, axis, panel, "precipitation", "Precipitation in the 6 hours before", "in");
    draw_bars(out, axis, panel,
              series_style{"precip", precipitation_colour, nullptr, marker_shape::none, "hour"},
              bars, gfs_row_count, false);
}

static void write_humidity_panel(std::ostream& out, const time_axis& axis, panel_box panel,
                                 const gfs_chart_input& in) {
    chart_point rh[gfs_row_count], cloud[gfs_row_count];
    band_point cloud_band[gfs_row_count];
    double low = 0, high = 100;
    take_series(in.rows, &gfs_table_row::rh_pct, rh, low, high);
    take_series(in.rows, &gfs_table_row::cloud_pct, cloud, low, high);
    for (int i = 0; i < gfs_row_count; ++i)
        cloud_band[i] = band_point{cloud[i].hour, 0, cloud[i].value.value};
    panel.scale = value_scale{0, 100, 50, 0};
    svg_group group =
        begin_panel(out, axis, panel, "humidity", "Relative humidity and cloud cover", "%");
    draw_band(out, axis, panel, "cloud-area", cloud_colour, cloud_band, gfs_row_count);
    draw_line(out, axis, panel,
              series_style{"cloud", cloud_line_colour, nullptr, marker_shape::none, "hour"}, cloud,
              gfs_row_count);
    draw_line(out, axis, panel,
              series_style{"rh", humidity_colour, dashed, marker_shape::none, "hour"}, rh,
              gfs_row_count);
    const legend_entry legend[] = {
        {"relative humidity", humidity_colour, dashed, marker_shape::none, false, nullptr},
        {"cloud cover", cloud_colour, nullptr, marker_shape::none, true, cloud_line_colour}};
    draw_legend(out, legend, 2, plot_right, panel.top - panel_title_rise);
}

static void write_wind_panel(std::ostream& out, const time_axis& axis, panel_box panel,
                             const gfs_chart_input& in) {
    chart_point speed[gfs_row_count];
    wind_arrow arrows[gfs_row_count];
    double low = 0, high = 10;
    take_series(in.rows, &gfs_table_row::wind_speed_mph, speed, low, high);
    for (int i = 0; i < gfs_row_count; ++i)
        arrows[i] = wind_arrow{speed[i].hour, chart_value{in.rows[i].wind_dir_deg, false},
                               in.rows[i].wind_speed_mph == 0, in.rows[i].hour};
    panel.scale = scale_of(0, high, true, 4);
    svg_group group = begin_panel(out, axis, panel, "wind",
                                  "Wind speed, arrows pointing where the wind blows", "mph");
    const series_style style{"wind-speed", wind_colour, nullptr, marker_shape::circle, "hour"};
    draw_line(out, axis, panel, style, speed, gfs_row_count);
    draw_markers(out, axis, panel, style, speed, gfs_row_count);
    draw_wind_arrows(out, axis, panel, "hour", arrows, gfs_row_count);
}

bool write_gfs_chart(std::ostream& out, const gfs_chart_input& in, fault& why) {
    double first = INFINITY, last = -INFINITY;
    for (int i = 0; i < gfs_row_count; ++i) {
        first = std::fmin(first, in.rows[i].hour);
        last = std::fmax(last, in.rows[i].hour);
    }
    // The first precipitation bar is of the 6 hours before the first row: the axis starts
    // where that period does.
    const double axis_start = first - precipitation_hours;
    if (last + axis_margin_hours - axis_start > max_axis_hours) {
        why = fault{fault_kind::incorrect_format,
                    "the hours " + std::to_string(static_cast<long long>(first)) + " to " +
                        std::to_string(static_cast<long long>(last)) +
                        " span more than a chart can show",
                    in.file_name};
        return false;
    }
    if (in.run_known && !is_real_time(in.run_time)) {
        why = fault{fault_kind::incorrect_format, "the model run is no real date and hour to chart",
                    in.file_name};
        return false;
    }
    if (last <= first) last = first + 1;
    // Without a run time the day boundaries still fall every 24 hours from hour 0.
    utc_time origin = in.run_known ? in.run_time : utc_time{1970, 1, 1, 0};
    time_axis axis{
        axis_start, last + axis_margin_hours, plot_left, plot_right, origin, in.run_known, false};
    panel_box panels[panel_count];
    stack_panels(first_panel_top, panel_gap, panel_sizes, panel_count, panels);

    std::string run_text;
    if (in.run_known) {
        run_text = number_text("%02.0f", in.run_time.hour) + " UTC " + day_label(in.run_time) +
                   ' ' + std::to_string(in.run_time.year);
    }
    begin_svg(out, chart_width, height,
              "GFS meteogram of " + in.file_name + (in.run_known ? ", model run " + run_text : ""));
    draw_chart_title(out, in.file_name,
                     "  GFS point forecast" + (in.run_known ? ", model run " + run_text : ""));
    draw_day_labels(out, axis, day_label_baseline, false);

    write_temperature_panel(out, axis, panels[temperature_panel], in);
    write_pressure_panel(out, axis, panels[pressure_panel], in);
    write_precipitation_panel(out, axis, panels[precipitation_panel], in);
    write_humidity_panel(out, axis, panels[humidity_panel], in);
    write_wind_panel(out, axis, panels[wind_panel], in);

    double bottom = panels[panel_count - 1].bottom;
    draw_hour_ticks(out, axis, bottom,
                    in.run_known ? "forecast hour after " + run_text : "forecast hour");
    draw_footnote(out, bottom, 0,
                  "Made from the GFS model's point time series for the City of Vuzazav. The band "
                  "spans the 2 m temperature lowered and raised by the run's adjustment");
    draw_footnote(out, bottom, 1,
                  "(from wind, humidity and the 2 m to 850 hPa difference). Each precipitation "
                  "bar is the total of the 6 hours ending at its right edge.");
    end_svg(out);
    return true;
}
