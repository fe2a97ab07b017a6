#include "chart/write_gfs_chart.h"

#include "chart/chart_drawing.h"
#include "chart/svg.h"

#include <cmath>
#include <cstdio>
#include <ostream>

namespace {

const int width = 1100, height = 900;
const double left = 70, right = 1070;

const char* const t2m_colour = "#D55E00";
const char* const band_colour = "#f6cdb0";
const char* const t850_colour = "#0072B2";
const char* const mslp_colour = "#CC79A7";
const char* const precip_colour = "#0072B2";
const char* const rh_colour = "#009E73";
const char* const cloud_colour = "#cfcfcf";
const char* const cloud_line_colour = "#7a7a7a";
const char* const wind_colour = "#E69F00";

// One member of the rows as chart points keyed by hour, widening low and high to take in
// its values.
void take_series(const gfs_row* rows, double gfs_row::*member, chart_point* points, double& low,
                 double& high) {
    for (int i = 0; i < gfs_row_count; ++i) {
        double v = rows[i].*member;
        points[i] =
            chart_point{static_cast<double>(rows[i].hour), chart_value{v, false}, rows[i].hour};
        if (!std::isfinite(v)) continue;
        low = std::fmin(low, v);
        high = std::fmax(high, v);
    }
}

// A scale that holds low to high, or 0 to 1 when no value widened them.
value_scale scale_of(double low, double high, bool from_zero, int steps) {
    if (!(low <= high)) low = 0, high = 1;
    return nice_scale(from_zero ? 0 : low, high, from_zero, false, steps);
}

void write_temperature_panel(std::ostream& out, const time_axis& axis, const gfs_chart_input& in) {
    chart_point t2m[gfs_row_count], t850[gfs_row_count];
    band_point band[gfs_row_count];
    double low = INFINITY, high = -INFINITY;
    take_series(in.rows, &gfs_row::t2m, t2m, low, high);
    take_series(in.rows, &gfs_row::t850, t850, low, high);
    for (int i = 0; i < gfs_row_count; ++i) {
        band[i] =
            band_point{static_cast<double>(in.rows[i].hour), in.temp_minus[i], in.temp_plus[i]};
        for (double v : {in.temp_minus[i], in.temp_plus[i]}) {
            if (!std::isfinite(v)) continue;
            low = std::fmin(low, v);
            high = std::fmax(high, v);
        }
    }
    panel_box panel{86, 86, 296, scale_of(low, high, false, 8)};
    begin_panel(out, axis, panel, "temperature", "Temperature", "°F");
    draw_band(out, axis, panel, "t2m-band", band_colour, band, gfs_row_count);
    const series_style t850_style{"t850", t850_colour, "7 4", marker_shape::none, "hour"};
    const series_style t2m_style{"t2m", t2m_colour, nullptr, marker_shape::circle, "hour"};
    draw_line(out, axis, panel, t850_style, t850, gfs_row_count);
    draw_line(out, axis, panel, t2m_style, t2m, gfs_row_count);
    draw_markers(out, axis, panel, t2m_style, t2m, gfs_row_count, 0);
    const legend_entry legend[] = {
        {"2 m", t2m_colour, nullptr, marker_shape::circle, false, nullptr},
        {"2 m lowered to raised", band_colour, nullptr, marker_shape::none, true, nullptr},
        {"850 hPa", t850_colour, "7 4", marker_shape::none, false, nullptr}};
    draw_legend(out, legend, 3, right, panel.top - 7);
    out << "</g>\n";
}

void write_pressure_panel(std::ostream& out, const time_axis& axis, const gfs_chart_input& in) {
    chart_point mslp[gfs_row_count];
    double low = INFINITY, high = -INFINITY;
    take_series(in.rows, &gfs_row::mslp, mslp, low, high);
    panel_box panel{322, 322, 412, scale_of(low, high, false, 5)};
    begin_panel(out, axis, panel, "pressure", "Sea-level pressure", "inHg");
    draw_line(out, axis, panel,
              series_style{"mslp", mslp_colour, nullptr, marker_shape::none, "hour"}, mslp,
              gfs_row_count);
    out << "</g>\n";
}

void write_precipitation_panel(std::ostream& out, const time_axis& axis,
                               const gfs_chart_input& in) {
    chart_point amounts[gfs_row_count];
    chart_bar bars[gfs_row_count];
    double low = 0, high = 0.1;
    take_series(in.rows, &gfs_row::precip, amounts, low, high);
    // Each amount is the total of the 6 hours that end at its hour.
    for (int i = 0; i < gfs_row_count; ++i)
        bars[i] = chart_bar{amounts[i].hour - 6, amounts[i].hour, amounts[i].value, amounts[i].key};
    panel_box panel{438, 438, 518, scale_of(0, high, true, 3)};
    begin_panel(out, axis, panel, "precipitation", "Precipitation in the 6 hours before", "in");
    draw_bars(out, axis, panel,
              series_style{"precip", precip_colour, nullptr, marker_shape::none, "hour"}, bars,
              gfs_row_count, false);
    out << "</g>\n";
}

void write_humidity_panel(std::ostream& out, const time_axis& axis, const gfs_chart_input& in) {
    chart_point rh[gfs_row_count], cloud[gfs_row_count];
    band_point cloud_band[gfs_row_count];
    double low = 0, high = 100;
    take_series(in.rows, &gfs_row::rh, rh, low, high);
    take_series(in.rows, &gfs_row::cloud, cloud, low, high);
    for (int i = 0; i < gfs_row_count; ++i)
        cloud_band[i] = band_point{cloud[i].hour, 0, cloud[i].value.value};
    panel_box panel{544, 544, 644, value_scale{0, 100, 50, 0}};
    begin_panel(out, axis, panel, "humidity", "Relative humidity and cloud cover", "%");
    draw_band(out, axis, panel, "cloud-area", cloud_colour, cloud_band, gfs_row_count);
    draw_line(out, axis, panel,
              series_style{"cloud", cloud_line_colour, nullptr, marker_shape::none, "hour"}, cloud,
              gfs_row_count);
    draw_line(out, axis, panel, series_style{"rh", rh_colour, "7 4", marker_shape::none, "hour"},
              rh, gfs_row_count);
    const legend_entry legend[] = {
        {"relative humidity", rh_colour, "7 4", marker_shape::none, false, nullptr},
        {"cloud cover", cloud_colour, nullptr, marker_shape::none, true, cloud_line_colour}};
    draw_legend(out, legend, 2, right, panel.top - 7);
    out << "</g>\n";
}

// Returns the bottom of the panel.
double write_wind_panel(std::ostream& out, const time_axis& axis, const gfs_chart_input& in) {
    chart_point speed[gfs_row_count];
    wind_arrow arrows[gfs_row_count];
    double low = 0, high = 10;
    take_series(in.rows, &gfs_row::wind_speed, speed, low, high);
    for (int i = 0; i < gfs_row_count; ++i)
        arrows[i] = wind_arrow{speed[i].hour, chart_value{in.rows[i].wind_dir, false},
                               in.rows[i].wind_speed == 0, in.rows[i].hour};
    panel_box panel{670, 694, 810, scale_of(0, high, true, 4)};
    begin_panel(out, axis, panel, "wind", "Wind speed, arrows pointing where the wind blows",
                "mph");
    const series_style style{"wind-speed", wind_colour, nullptr, marker_shape::circle, "hour"};
    draw_line(out, axis, panel, style, speed, gfs_row_count);
    draw_markers(out, axis, panel, style, speed, gfs_row_count, 0);
    draw_wind_arrows(out, axis, panel, "hour", arrows, gfs_row_count);
    out << "</g>\n";
    return panel.bottom;
}

} // namespace

void write_gfs_chart(std::ostream& out, const gfs_chart_input& in) {
    double first = INFINITY, last = -INFINITY;
    for (int i = 0; i < gfs_row_count; ++i) {
        first = std::fmin(first, in.rows[i].hour);
        last = std::fmax(last, in.rows[i].hour);
    }
    if (last <= first) last = first + 1;
    // Without a run time the day boundaries still fall every 24 hours from hour 0. Half a
    // step of room at either end keeps the first and last marks off the frame.
    utc_time origin = in.run_known ? in.run_time : utc_time{1970, 1, 1, 0};
    time_axis axis{first - 3, last + 3, left, right, origin, in.run_known, false};

    std::string run_text;
    if (in.run_known) {
        char hour[8];
        std::snprintf(hour, sizeof hour, "%02d", in.run_time.hour % 100);
        run_text = std::string(hour) + " UTC " + day_label(in.run_time) + ' ' +
                   std::to_string(in.run_time.year);
    }
    begin_svg(out, width, height,
              "GFS meteogram of " + in.file_name + (in.run_known ? ", model run " + run_text : ""));
    out << "<text x=\"70\" y=\"26\" font-size=\"17\"><tspan font-weight=\"bold\">"
        << svg_escape(in.file_name) << "</tspan>  GFS point forecast"
        << (in.run_known ? ", model run " + svg_escape(run_text) : std::string()) << "</text>\n";
    draw_day_labels(out, axis, 56, false);

    write_temperature_panel(out, axis, in);
    write_pressure_panel(out, axis, in);
    write_precipitation_panel(out, axis, in);
    write_humidity_panel(out, axis, in);
    double bottom = write_wind_panel(out, axis, in);

    draw_hour_ticks(out, axis, bottom,
                    in.run_known ? "forecast hour after " + run_text : "forecast hour");
    out << "<text x=\"70\" y=\"874\" fill=\"#444\">Made from the GFS model's point time series "
           "for the City of Vuzazav. The band spans the 2 m temperature lowered and raised by "
           "the run's adjustment</text>\n"
        << "<text x=\"70\" y=\"892\" fill=\"#444\">(from wind, humidity and the 2 m to 850 hPa "
           "difference). Each precipitation bar is the total of the 6 hours ending at its right "
           "edge.</text>\n";
    end_svg(out);
}
