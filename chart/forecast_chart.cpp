#include "chart/forecast_chart.h"

#include "calendar/local_time.h"
#include "chart/chart_layout.h"
#include "chart/palette.h"
#include "chart/svg.h"
#include "pointforecast/day_columns.h"

#include <cmath>
#include <limits>
#include <ostream>

static const int height = 700;

namespace {

// The panels from the top down, and the room each takes.
enum panel_index {
    temperature_panel,
    pop_panel,
    amount_panel,
    cloud_panel,
    wind_panel,
    panel_count
};
const panel_size panel_sizes[panel_count] = {{0, 180}, {0, 70}, {0, 60}, {0, 60}, {24, 100}};

} // namespace

// Room after the last day's end keeps its marks off the frame.
static const double axis_end_room_hours = 3;
// Where in its night a day's low stands, and its high in its daytime: their middles.
static const double low_hour = 6, high_hour = 18;
// The bulletins give wind directions in tens of degrees.
static const double degrees_per_direction_unit = 10;
// Days 1 and 2 have two 12-hour probabilities of precipitation, the others one of 24 hours.
static const int twelve_hour_pop_days = 2;

// Whether the chart shows the NBM's own elements.
static bool shows_nbm(const forecast_chart_input& in) {
    return in.nbm && in.nbm->given;
}

// The NBM's spread of the low (night) or high of day d (1 to 7), NaN where it has none.
static double nbm_spread(const forecast_chart_input& in, int d, bool night) {
    if (!shows_nbm(in) || !in.periods) return NAN;
    for (std::size_t k = 0; k < in.periods->size() && k < in.nbm->periods.size(); ++k) {
        const forecast_period& p = (*in.periods)[k];
        const nbm_period& n = in.nbm->periods[k];
        if (p.day == d && p.night == night && n.given && n.has_spread) return n.unrounded_spread;
    }
    return NAN;
}

// The NBM's element e at hour index i in the documents' unit, as a chart value.
static chart_value nbm_chart_value(const forecast_chart_input& in, int i, nbm_element e) {
    const nbm_city_value& v = in.nbm->hour[i][e];
    if (!v.exists) return chart_value{NAN, false};
    return chart_value{nbm_document_value(nbm_elements[e].unit, v.value),
                       v.stations < station_count};
}

static bool any_fewer(const forecast_chart_input& in) {
    for (const forecast_chart_day& d : in.days)
        for (const chart_value* v : {&d.low_temp, &d.high_temp, &d.low_dew_point, &d.high_dew_point,
                                     &d.low_pop, &d.high_pop})
            if (v->fewer_stations) return true;
    for (const forecast_chart_hour& h : in.hours)
        if (h.cloud.fewer_stations || h.wind_speed.fewer_stations || h.wind_dir.fewer_stations)
            return true;
    for (int i = 0; shows_nbm(in) && i < nbm_hour_count; ++i)
        for (nbm_element e : {nbm_gust, nbm_precip, nbm_snowfall})
            if (nbm_chart_value(in, i, e).fewer_stations) return true;
    return false;
}

// Whether the value of element of day d (1 to 7), its night's or its daytime's, is
// flagged.
static bool flagged(const forecast_chart_input& in, int d, bool night, period_element element) {
    if (!in.periods) return false;
    for (const forecast_period& p : *in.periods)
        if (p.day == d && p.night == night)
            for (const period_flag& f : p.flags)
                if (f.element == element) return true;
    return false;
}

// The points of series whose values are flagged: element of the nights' (night) or the
// days' values, with each point's hour and value.
static int flagged_points(const forecast_chart_input& in, const chart_point* series, bool night,
                          period_element element, chart_point* out) {
    int n = 0;
    for (int i = 0; i < forecast_days; ++i)
        if (flagged(in, i + 1, night, element)) out[n++] = series[i];
    return n;
}

static bool any_flagged(const std::vector<forecast_period>& periods) {
    for (const forecast_period& p : periods)
        if (p.day > 0 && !p.flags.empty()) return true;
    return false;
}

static const legend_entry flag_legend = {"flagged",          flag_colour, nullptr,
                                         marker_shape::ring, false,       nullptr};

// The daily lows and highs of temperature and dew point.
static void write_temperature_panel(std::ostream& out, const time_axis& axis, panel_box panel,
                                    const forecast_chart_input& in) {
    // Day d's low stands in the middle of its night, its high in the middle of its daytime.
    chart_point temps[2 * forecast_days], dews[2 * forecast_days];
    chart_point lows[forecast_days], highs[forecast_days];
    chart_point dew_lows[forecast_days], dew_highs[forecast_days];
    for (int i = 0; i < forecast_days; ++i) {
        const forecast_chart_day& d = in.days[i];
        double night = 24.0 * (i + 1) + low_hour, day = 24.0 * (i + 1) + high_hour;
        lows[i] = temps[2 * i] = chart_point{night, d.low_temp, i + 1};
        highs[i] = temps[2 * i + 1] = chart_point{day, d.high_temp, i + 1};
        dew_lows[i] = dews[2 * i] = chart_point{night, d.low_dew_point, i + 1};
        dew_highs[i] = dews[2 * i + 1] = chart_point{day, d.high_dew_point, i + 1};
    }
    // The NBM's spread of days 1 and 2 around their lows and highs.
    band_point spread[2 * short_days];
    for (int i = 0; i < 2 * short_days; ++i) {
        const chart_point& t = temps[i];
        const double width = nbm_spread(in, i / 2 + 1, i % 2 == 0);
        spread[i] = band_point{t.hour, t.value.value - width, t.value.value + width};
    }
    double low = INFINITY, high = -INFINITY;
    take_range(temps, 2 * forecast_days, low, high);
    take_range(dews, 2 * forecast_days, low, high);
    bool spread_shown = false;
    for (const band_point& b : spread)
        if (std::isfinite(b.low) && std::isfinite(b.high)) {
            low = std::fmin(low, b.low);
            high = std::fmax(high, b.high);
            spread_shown = true;
        }
    if (!(low <= high)) low = 0, high = 100;
    panel.scale = nice_scale(low, high, false, false, 8);
    const panel_box& temp_panel = panel;
    svg_group group = begin_panel(out, axis, temp_panel, "temperature",
                                  "Temperature and dew point: daily low and high", "°F");
    const series_style temp_line{"temp", temperature_colour, nullptr, marker_shape::circle, "day"};
    const series_style dew_line{"dewpoint", dew_point_colour, dashed, marker_shape::square, "day"};
    if (spread_shown)
        draw_band(out, axis, temp_panel, "temp-spread", temperature_band_colour, spread,
                  2 * short_days);
    draw_freezing_line(out, axis, temp_panel);
    draw_line(out, axis, temp_panel, dew_line, dews, 2 * forecast_days);
    draw_line(out, axis, temp_panel, temp_line, temps, 2 * forecast_days);
    series_style style = dew_line;
    style.css_class = "dewpoint-low";
    draw_markers(out, axis, temp_panel, style, dew_lows, forecast_days);
    style.css_class = "dewpoint-high";
    draw_markers(out, axis, temp_panel, style, dew_highs, forecast_days);
    style = temp_line;
    style.css_class = "temp-low";
    draw_markers(out, axis, temp_panel, style, lows, forecast_days);
    style.css_class = "temp-high";
    draw_markers(out, axis, temp_panel, style, highs, forecast_days);
    // Every mark of the panel, and a label for each: the temperatures placed first, above a
    // high and below a low, then the dew points where room is left.
    chart_mark marks[4 * forecast_days];
    value_label labels[4 * forecast_days];
    const chart_point* series[4] = {lows, highs, dew_lows, dew_highs};
    const char* colours[4] = {temperature_colour, temperature_colour, dew_point_colour,
                              dew_point_colour};
    for (int s = 0; s < 4; ++s)
        for (int i = 0; i < forecast_days; ++i) {
            const chart_point& p = series[s][i];
            const double x = x_of(axis, p.hour), y = y_of(temp_panel, p.value.value);
            marks[s * forecast_days + i] = chart_mark{x, std::isfinite(y) ? y : -1e9};
            labels[s * forecast_days + i] =
                value_label{x, y, p.value.value, s % 2 ? 1 : -1, colours[s]};
        }
    draw_value_labels(out, labels, 4 * forecast_days, marks, 4 * forecast_days);
    chart_point rings[4 * forecast_days];
    int ringed = flagged_points(in, lows, true, temperature_element, rings);
    ringed += flagged_points(in, highs, false, temperature_element, rings + ringed);
    ringed += flagged_points(in, dew_lows, true, dew_point_element, rings + ringed);
    ringed += flagged_points(in, dew_highs, false, dew_point_element, rings + ringed);
    draw_rings(out, axis, temp_panel,
               series_style{"flagged", flag_colour, nullptr, marker_shape::ring, "day"}, rings,
               ringed);
    legend_entry temp_legend[4] = {
        {"temperature", temperature_colour, nullptr, marker_shape::circle, false, nullptr},
        {"dew point", dew_point_colour, dashed, marker_shape::square, false, nullptr}};
    int entries = 2;
    if (spread_shown)
        temp_legend[entries++] = {
            "NBM spread", temperature_band_colour, nullptr, marker_shape::none, true, nullptr};
    if (ringed > 0) temp_legend[entries++] = flag_legend;
    draw_legend(out, temp_legend, entries, plot_right, temp_panel.top - panel_title_rise);
}

static void write_pop_panel(std::ostream& out, const time_axis& axis, panel_box panel,
                            const forecast_chart_input& in) {
    chart_bar pop12[2 * twelve_hour_pop_days], pop24[forecast_days - twelve_hour_pop_days];
    for (int i = 0; i < twelve_hour_pop_days; ++i) {
        double start = 24.0 * (i + 1);
        pop12[2 * i] = chart_bar{start, start + 12, in.days[i].low_pop, i + 1};
        pop12[2 * i + 1] = chart_bar{start + 12, start + 24, in.days[i].high_pop, i + 1};
    }
    for (int i = twelve_hour_pop_days; i < forecast_days; ++i)
        pop24[i - twelve_hour_pop_days] =
            chart_bar{24.0 * (i + 1), 24.0 * (i + 2), in.days[i].high_pop, i + 1};
    panel.scale = value_scale{0, 100, 50, 0};
    const panel_box& pop_panel = panel;
    svg_group group =
        begin_panel(out, axis, pop_panel, "precipitation", "Probability of precipitation", "%");
    draw_bars(out, axis, pop_panel,
              series_style{"pop12", precipitation_colour, nullptr, marker_shape::none, "day"},
              pop12, 2 * twelve_hour_pop_days, true);
    draw_bars(out, axis, pop_panel,
              series_style{"pop24", daily_precipitation_colour, nullptr, marker_shape::none, "day"},
              pop24, forecast_days - twelve_hour_pop_days, true);
    // A flagged probability is ringed at the top of its bar: the nights' bars are the first
    // of the 12-hour pairs, the days' the second ones and the 24-hour bars.
    chart_point nights[forecast_days], days[forecast_days], rings[2 * forecast_days];
    for (int i = 0; i < forecast_days; ++i) {
        const bool twelve = i < twelve_hour_pop_days;
        const chart_bar none{0, 0, chart_value{NAN, false}, i + 1};
        const chart_bar& night = twelve ? pop12[2 * i] : none;
        const chart_bar& day = twelve ? pop12[2 * i + 1] : pop24[i - twelve_hour_pop_days];
        nights[i] = chart_point{(night.start_hour + night.end_hour) / 2, night.value, night.key};
        days[i] = chart_point{(day.start_hour + day.end_hour) / 2, day.value, day.key};
    }
    int ringed = flagged_points(in, nights, true, pop_element, rings);
    ringed += flagged_points(in, days, false, pop_element, rings + ringed);
    draw_rings(out, axis, pop_panel,
               series_style{"flagged", flag_colour, nullptr, marker_shape::ring, "day"}, rings,
               ringed);
    const legend_entry pop_legend[] = {
        {"12 hours", precipitation_colour, nullptr, marker_shape::none, true, nullptr},
        {"24 hours", daily_precipitation_colour, nullptr, marker_shape::none, true, nullptr},
        flag_legend};
    draw_legend(out, pop_legend, ringed > 0 ? 3 : 2, plot_right, pop_panel.top - panel_title_rise);
}

// The NBM's precipitation and snow of each 6 hours, side by side in the hours they fall.
static void write_amount_panel(std::ostream& out, const time_axis& axis, panel_box panel,
                               const forecast_chart_input& in) {
    chart_bar water[nbm_hour_count], snow[nbm_hour_count];
    int n = 0;
    double high = 0.1;
    for (int i = 0; i < nbm_hour_count; ++i) {
        const int hour = nbm_hour(i);
        if (hour % 6) continue;
        const double end = in.issued.hour + hour;
        water[n] = chart_bar{end - 6, end - 3, nbm_chart_value(in, i, nbm_precip), hour};
        snow[n] = chart_bar{end - 3, end, nbm_chart_value(in, i, nbm_snowfall), hour};
        for (const chart_bar* b : {&water[n], &snow[n]})
            if (std::isfinite(b->value.value)) high = std::fmax(high, b->value.value);
        ++n;
    }
    panel.scale = nice_scale(0, high, true, false, 2);
    svg_group group =
        begin_panel(out, axis, panel, "amounts", "NBM precipitation and snow, each 6 hours", "in");
    draw_bars(out, axis, panel,
              series_style{"precip6", precipitation_colour, nullptr, marker_shape::none, "hour"},
              water, n, false);
    draw_bars(out, axis, panel,
              series_style{"snow6", snow_colour, nullptr, marker_shape::none, "hour"}, snow, n,
              false);
    const legend_entry legend[] = {
        {"precipitation", precipitation_colour, nullptr, marker_shape::none, true, nullptr},
        {"snow", snow_colour, nullptr, marker_shape::none, true, nullptr}};
    draw_legend(out, legend, 2, plot_right, panel.top - panel_title_rise);
}

// Cloud cover, and wind speed with its arrows, by forecast hour.
static void write_sky_wind_panels(std::ostream& out, const time_axis& axis, panel_box cloud_panel,
                                  panel_box wind_panel, const forecast_chart_input& in) {
    // The extended rows begin where the short-range ones end; a break keeps the two
    // sources apart.
    chart_point clouds[sky_wind_rows + 1], speeds[sky_wind_rows + 1];
    band_point cloud_band[sky_wind_rows + 1];
    wind_arrow arrows[short_rows];
    int n = 0;
    for (int i = 0; i < sky_wind_rows; ++i) {
        const forecast_chart_hour& h = in.hours[i];
        bool extended = i >= short_rows;
        if (i == short_rows) {
            chart_value gap{NAN, false};
            clouds[n] = speeds[n] = chart_point{static_cast<double>(h.hour), gap, 0};
            cloud_band[n++] = band_point{static_cast<double>(h.hour), NAN, NAN};
        }
        double at = (extended ? 0 : in.issued.hour) + h.hour;
        clouds[n] = chart_point{at, h.cloud, h.hour};
        speeds[n] = chart_point{at, h.wind_speed, h.hour};
        cloud_band[n++] = band_point{at, 0, h.cloud.value};
        if (!extended) {
            chart_value from = h.wind_dir;
            from.value *= degrees_per_direction_unit;
            arrows[i] = wind_arrow{at, from, h.calm, h.hour};
        }
    }
    {
        cloud_panel.scale = value_scale{0, 1, 0.5, 1};
        svg_group group = begin_panel(out, axis, cloud_panel, "cloud", "Cloud cover", "fraction");
        draw_band(out, axis, cloud_panel, "cloud-area", cloud_colour, cloud_band, n);
        const series_style cloud_style{"cloud", cloud_line_colour, nullptr, marker_shape::none,
                                       "hour"};
        draw_line(out, axis, cloud_panel, cloud_style, clouds, n);
        draw_markers(out, axis, cloud_panel, cloud_style, clouds, n);
        const legend_entry cloud_legend[] = {{"covered fraction of the sky", cloud_colour, nullptr,
                                              marker_shape::none, true, cloud_line_colour}};
        draw_legend(out, cloud_legend, 1, plot_right, cloud_panel.top - panel_title_rise);
    }

    // The NBM's gusts, where it gives them.
    chart_point gusts[nbm_hour_count];
    const int gust_count = shows_nbm(in) ? nbm_hour_count : 0;
    for (int i = 0; i < gust_count; ++i)
        gusts[i] = chart_point{in.issued.hour + static_cast<double>(nbm_hour(i)),
                               nbm_chart_value(in, i, nbm_gust), nbm_hour(i)};
    double low = 0, high = 10;
    take_range(speeds, n, low, high);
    take_range(gusts, gust_count, low, high);
    wind_panel.scale = nice_scale(0, high, true, false, 4);
    svg_group group = begin_panel(out, axis, wind_panel, "wind",
                                  "Wind speed, arrows pointing where the wind blows", "mph");
    const series_style wind_style{"wind-speed", wind_colour, nullptr, marker_shape::circle, "hour"};
    draw_line(out, axis, wind_panel, wind_style, speeds, n);
    draw_markers(out, axis, wind_panel, wind_style, speeds, n);
    const series_style gust_style{"gust", wind_colour, dashed, marker_shape::square, "hour"};
    if (gust_count > 0) {
        draw_line(out, axis, wind_panel, gust_style, gusts, gust_count);
        draw_markers(out, axis, wind_panel, gust_style, gusts, gust_count);
    }
    draw_wind_arrows(out, axis, wind_panel, "hour", arrows, short_rows);
    // The note starts right of where the extended rows begin, clear of the last short-range
    // arrow, which stands at the same time.
    const double note_indent = 16;
    if (in.extended)
        out << "<text" << svg_attr("x", x_of(axis, in.hours[short_rows].hour) + note_indent)
            << svg_attr("y", (wind_panel.top + wind_panel.plot_top) / 2)
            << " dominant-baseline=\"central\" fill=\"" << quiet_text_colour
            << "\">no directions in the extended guidance</text>\n";
    const legend_entry wind_legend[] = {
        {"wind speed", wind_colour, nullptr, marker_shape::circle, false, nullptr},
        {"NBM gust", wind_colour, dashed, marker_shape::square, false, nullptr}};
    draw_legend(out, wind_legend, gust_count > 0 ? 2 : 1, plot_right,
                wind_panel.top - panel_title_rise);
}

// With the periods named, the day labels move up to leave their names a line of their
// own above the first panel's title.
static const double period_day_label_baseline = 45, period_label_baseline = 63;
static const double period_label_font_size = 11;

// Each period's name, centred over its 12 hours where the axis shows them.
static void draw_period_labels(std::ostream& out, const time_axis& axis,
                               const std::vector<forecast_period>& periods) {
    const long long origin = hours_since_epoch(axis.origin);
    for (const forecast_period& p : periods) {
        const double start = static_cast<double>(hours_since_epoch(p.start) - origin);
        const double middle = start + 6;
        if (middle < axis.first_hour || middle > axis.last_hour) continue;
        out << "<text class=\"period-label\"" << svg_attr("x", x_of(axis, middle))
            << svg_attr("y", period_label_baseline) << svg_attr("font-size", period_label_font_size)
            << " text-anchor=\"middle\" fill=\"" << quiet_text_colour << "\">"
            << svg_escape(p.short_name) << "</text>\n";
    }
}

// The local hours of the nights (or the days) as the footnote gives them, ", 6 PM to 6 AM
// CST", for each zone the periods meet in turn; the one period that spans a change of zone
// shows it in its own name's place only.
static std::string local_hours(const std::vector<forecast_period>& periods, bool night) {
    std::string text;
    for (const forecast_period& p : periods) {
        const local_time start = city_time(p.start), end = city_time(p.end);
        if (p.night != night || start.utc_offset != end.utc_offset) continue;
        const std::string hours = clock_hour(start.clock.hour) + " to " +
                                  clock_hour(end.clock.hour) + " " + zone_name(end);
        if (text.find(hours) == std::string::npos) text += ", " + hours;
    }
    return text;
}

bool write_forecast_chart(std::ostream& out, const forecast_chart_input& in, fault& why) {
    if (!is_real_time(in.issued)) {
        why = fault{fault_kind::invalid_bulletins,
                    "the bulletin date is no real month/day/year date to chart", in.file_name};
        return false;
    }
    if (!std::isfinite(in.eta_weight)) {
        why = fault{fault_kind::bad_weight, "the ETA model weight is no finite number to chart",
                    in.file_name};
        return false;
    }
    utc_time midnight = in.issued;
    midnight.hour = 0;
    // Hours count from 00 UTC of the bulletin date, so that day d runs from 24d to 24d + 24.
    // The last day ends at 24 * (forecast_days + 1), or at 24 * (short_days + 1).
    const int days = in.extended ? forecast_days : short_days;
    double first = in.issued.hour, last = 24.0 * (days + 1) + axis_end_room_hours;
    time_axis axis{first, last, plot_left, plot_right, midnight, true, true};
    // The panel of amounts only where the NBM gives them; without it the others stand as
    // they always have.
    const bool amounts = shows_nbm(in);
    panel_size sizes[panel_count];
    int shown[panel_count], stacked = 0;
    for (int p = 0; p < panel_count; ++p)
        if (p != amount_panel || amounts) {
            shown[stacked] = p;
            sizes[stacked++] = panel_sizes[p];
        }
    panel_box boxes[panel_count], panels[panel_count] = {};
    stack_panels(first_panel_top, panel_gap, sizes, stacked, boxes);
    for (int k = 0; k < stacked; ++k) panels[shown[k]] = boxes[k];
    const int height_shown =
        amounts ? height + static_cast<int>(panel_gap + panel_sizes[amount_panel].plot) : height;

    std::string issued_text = day_label(in.issued) + ' ' + std::to_string(in.issued.year) + ", " +
                              number_text("%02.0f", in.issued.hour) + "00 UTC";
    std::string weight_text = number_text("%g", in.eta_weight);
    begin_svg(out, chart_width, height_shown,
              "1200 run meteogram of " + in.file_name + ", guidance of " + issued_text);
    draw_chart_title(out, in.file_name,
                     "  City of Vuzazav 1200 run, guidance of " + issued_text + ", ETA weight " +
                         weight_text);
    const bool named = in.periods && !in.periods->empty();
    draw_day_labels(out, axis, named ? period_day_label_baseline : day_label_baseline, true);
    if (named) draw_period_labels(out, axis, *in.periods);

    write_temperature_panel(out, axis, panels[temperature_panel], in);
    write_pop_panel(out, axis, panels[pop_panel], in);
    if (amounts) write_amount_panel(out, axis, panels[amount_panel], in);
    write_sky_wind_panels(out, axis, panels[cloud_panel], panels[wind_panel], in);

    double bottom = panels[panel_count - 1].bottom;
    draw_hour_ticks(out, axis, bottom, "time (UTC)");
    // Named periods take the footnote a line of its own, and the footnotes rise by half a
    // line to leave room for a third.
    const double notes_at = named ? bottom - footnote_leading / 2 : bottom;
    draw_footnote(out, notes_at, 0,
                  "From the MOS guidance of KBKX, KHON, KMHE and KFSD: " +
                      svg_escape(in.short_models) + " of 1200 UTC, blended, to 00 UTC of day 3; " +
                      (in.extended ? svg_escape(in.extended_model) + " of 0000 UTC after it."
                                   : std::string("short-range guidance only, days 3 to 7 left "
                                                 "out.")));
    const std::string hollow =
        any_fewer(in) ? "Hollow marks rest on fewer stations than usual." : "";
    if (!named) {
        draw_footnote(out, bottom, 1,
                      "Lows stand in the night (00 to 12 UTC), highs in the daytime (12 to 24 "
                      "UTC); the dew points are those of 12 and 00 UTC." +
                          (hollow.empty() ? "" : " " + hollow));
        end_svg(out);
        return true;
    }
    draw_footnote(out, notes_at, 1,
                  "Lows stand in the night (00 to 12 UTC" + local_hours(*in.periods, true) +
                      "), highs in the daytime (12 to 24 UTC" + local_hours(*in.periods, false) +
                      "); the dew points are those of 12 and 00 UTC.");
    std::string more = hollow;
    if (any_flagged(*in.periods))
        more += std::string(more.empty() ? "" : " ") +
                "Ringed values are flagged; the product and the JSON document say why.";
    if (!more.empty()) draw_footnote(out, notes_at, 2, more);
    end_svg(out);
    return true;
}

void gather_forecast_chart_input(const city_forecast& forecast, double eta_weight,
                                 forecast_chart_input& input) {
    input.eta_weight = eta_weight;
    input.extended = forecast.extended;
    for (int d = 0; d < forecast_days; ++d) {
        const city_value* v = forecast.day[d];
        input.days[d] = forecast_chart_day{v[0], v[1], v[2], v[3], v[4], v[5]};
    }
    const chart_value none = {std::numeric_limits<double>::quiet_NaN(), false};
    for (int r = 0; r < sky_wind_rows; ++r) {
        const bool short_range = r < short_rows;
        input.hours[r] = forecast_chart_hour{sky_wind_hour(r), forecast.cloud[r], forecast.speed[r],
                                             short_range ? forecast.direction[r] : none,
                                             short_range && forecast.speed[r].value == 0};
    }
}
