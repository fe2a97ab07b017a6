#include "pointforecast/periods.h"

#include "calendar/local_time.h"
#include "pointforecast/day_columns.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

long long rounded_value(double value) {
    return static_cast<long long>(std::round(value));
}

const char* sky_words(double fraction, bool night) {
    if (fraction < 0.125) return night ? "clear" : "sunny";
    if (fraction < 0.375) return night ? "mostly clear" : "mostly sunny";
    if (fraction < 0.625) return "partly cloudy";
    if (fraction < 0.875) return "mostly cloudy";
    return "cloudy";
}

static const char* const compass_points[16] = {"N", "NNE", "NE", "ENE", "E", "ESE", "SE", "SSE",
                                               "S", "SSW", "SW", "WSW", "W", "WNW", "NW", "NNW"};

int compass_point(double tens_of_degrees) {
    const double point_width = 360.0 / 16;
    const long long point =
        static_cast<long long>(std::floor(tens_of_degrees * 10 / point_width + 0.5));
    return static_cast<int>((point % 16 + 16) % 16);
}

const char* compass_point_name(int point) {
    return point >= 0 && point < 16 ? compass_points[point] : "";
}

const char* flag_kind_key(flag_kind kind) {
    switch (kind) {
    case flag_kind::guidances_differ:
        return "guidances_differ";
    case flag_kind::station_outlier:
        return "station_outlier";
    case flag_kind::dew_point_above_temperature:
        return "dew_point_above_temperature";
    case flag_kind::implausible:
        return "implausible";
    }
    return "";
}

const char* period_element_key(period_element element) {
    static const char* const keys[period_element_count] = {"temperature", "dew_point", "pop"};
    return keys[element];
}

std::string guidance_label(const bulletin_layout& layout, int group) {
    return group_words(layout, group, [](const bulletin_header& h) {
        return h.kind[0] == "MOS" ? h.model + " MOS" : h.model;
    });
}

int period_at(const std::vector<forecast_period>& periods, const utc_time& time) {
    const long long at = hours_since_epoch(time);
    for (std::size_t i = 0; i < periods.size(); ++i)
        if (hours_since_epoch(periods[i].start) < at && at <= hours_since_epoch(periods[i].end))
            return static_cast<int>(i);
    return -1;
}

namespace {

// What every value of a run shares: the bulletins, the city forecast and the guidances'
// names in the evidence.
struct value_context {
    const loaded_bulletins& loaded;
    const city_forecast& forecast;
    std::string labels[3];
};

guidance_evidence evidence(const std::string& label, const station_set& values,
                           const station_presence& present, double city) {
    guidance_evidence e;
    e.given = true;
    e.guidance = label;
    std::copy(std::begin(values), std::end(values), std::begin(e.values));
    std::copy(std::begin(present), std::end(present), std::begin(e.present));
    e.city = city;
    return e;
}

period_source short_range_source(const period_value& v) {
    const bool first = std::isfinite(v.first.city), second = std::isfinite(v.second.city);
    return first && second ? period_source::blend
           : first         ? period_source::first
                           : period_source::second;
}

// Value c of day d of the day table, or of today where d is -1.
const city_value& city_value_at(const city_forecast& f, int d, int c) {
    if (d < 0) return f.today[c];
    return f.day[d][c];
}

// A value of the day table, or of today where d is -1.
period_value table_value(const value_context& x, int d, int c) {
    period_value v;
    const bool today = d < 0;
    if (today ? !today_value_exists(c) : !day_value_exists(d, c)) return v;
    const city_value& city = city_value_at(x.forecast, d, c);
    if (!std::isfinite(city.value)) return v;
    v.exists = true;
    v.unrounded = city.value;
    v.value = rounded_value(city.value);
    const bulletin_values& values = x.loaded.values;
    if (today || d < short_days) {
        const value_source& source =
            today ? x.forecast.sources.today[c] : x.forecast.sources.day[d][c];
        model_pair stations;
        pair_presence present;
        if (today)
            today_values(values, c, stations, present);
        else
            short_day_values(values, d, c, stations, present);
        v.first = evidence(x.labels[0], stations.first, present.first, source.first);
        v.second = evidence(x.labels[1], stations.second, present.second, source.second);
        // MOS gives no high or probability of the bulletin date's own daytime.
        v.second.given = !today || day_columns[c].row == dew_point_row;
        v.source = short_range_source(v);
        return v;
    }
    station_set stations;
    station_presence present;
    extended_day_values(values, d, c, stations, present);
    v.first = evidence(x.labels[2], stations, present, city.value);
    v.source = period_source::extended;
    return v;
}

// The period's values from the day table's columns, two to an element in the order of
// period_element: a night takes the low columns (0, 2, 4), a day the high ones (1, 3, 5).
void take_values(const value_context& x, forecast_period& p) {
    const int d = p.day - 1;
    const int half = p.night ? 0 : 1;
    for (int e = 0; e < period_element_count; ++e) p.values[e] = table_value(x, d, 2 * e + half);
    if (p.values[pop_element].exists) p.pop_hours = d < short_days ? 12 : 24;
}

forecast_period make_period(const utc_time& start, int day, bool night) {
    forecast_period p;
    p.day = day;
    p.night = night;
    p.start = start;
    p.end = add_hours(start, 12);
    const utc_time local = city_time(start).clock;
    p.name = weekday_name(local);
    p.short_name = weekday_abbreviation(local);
    if (night) {
        p.name += " Night";
        p.short_name += " Night";
    }
    return p;
}

// Sky and wind of each period from the short-range hours that belong to it.
void take_sky_wind(const value_context& x, std::vector<forecast_period>& periods) {
    const city_forecast& f = x.forecast;
    std::vector<double> cloud_sum(periods.size(), 0.0);
    std::vector<int> cloud_count(periods.size(), 0), fastest(periods.size(), -1);
    for (int r = 0; r < short_rows; ++r) {
        const int i = period_at(periods, add_hours(x.loaded.issued, sky_wind_hour(r)));
        if (i < 0) continue;
        if (std::isfinite(f.cloud[r].value)) {
            cloud_sum[i] += f.cloud[r].value;
            ++cloud_count[i];
        }
        // The first hour of the highest speed counts.
        if (std::isfinite(f.speed[r].value) &&
            (fastest[i] < 0 || f.speed[r].value > f.speed[fastest[i]].value))
            fastest[i] = r;
    }
    for (std::size_t i = 0; i < periods.size(); ++i) {
        forecast_period& p = periods[i];
        if (cloud_count[i] > 0) p.sky = sky_words(cloud_sum[i] / cloud_count[i], p.night);
        const int r = fastest[i];
        if (r < 0) continue;
        p.wind.exists = true;
        p.wind.speed_mph = rounded_value(f.speed[r].value);
        if (p.wind.speed_mph != 0 && std::isfinite(f.direction[r].value))
            p.wind.point = compass_point(f.direction[r].value);
    }
}

std::string decimal(double value) {
    char text[48];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

std::string limit_text(double value) {
    char text[48];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

const char* element_words(const forecast_period& p, int e) {
    if (e == temperature_element) return p.night ? "low" : "high";
    return e == dew_point_element ? "dew point" : "precipitation";
}

// The median of the station values a guidance has, where three or more have one: with two,
// neither could be told the odd one.
bool station_median(const guidance_evidence& g, double& median) {
    std::vector<int> present;
    for (int s = 0; s < station_count; ++s)
        if (g.present[s]) present.push_back(g.values[s]);
    if (present.size() < 3) return false;
    std::sort(present.begin(), present.end());
    const std::size_t n = present.size();
    median = n % 2 ? present[n / 2] : (present[n / 2 - 1] + present[n / 2]) / 2.0;
    return true;
}

void flag_value(forecast_period& p, int e, const flag_limits& limits) {
    const period_value& v = p.values[e];
    if (!v.exists) return;
    const period_element element = static_cast<period_element>(e);
    const std::string label = p.name + " " + element_words(p, e) + ": ";
    auto flag = [&](flag_kind kind, const std::string& text) {
        p.flags.push_back(period_flag{kind, element, label + text});
    };
    const bool pop = e == pop_element;
    const guidance_evidence* guidances[2] = {&v.first, &v.second};
    if (v.first.given && v.second.given && std::isfinite(v.first.city) &&
        std::isfinite(v.second.city)) {
        const double difference = std::fabs(v.first.city - v.second.city);
        const std::string unit = pop ? "%" : " F";
        if (difference >= (pop ? limits.pop_difference : limits.temperature_difference))
            flag(flag_kind::guidances_differ, v.first.guidance + " " + decimal(v.first.city) +
                                                  unit + " and " + v.second.guidance + " " +
                                                  decimal(v.second.city) + unit + " differ by " +
                                                  decimal(difference) + (pop ? " points" : " F"));
    }
    if (pop) return;
    const std::string outside =
        " lies outside " + limit_text(limits.lowest) + " to " + limit_text(limits.highest) + " F";
    for (const guidance_evidence* g : guidances) {
        if (!g->given) continue;
        double median = 0;
        const bool has_median = station_median(*g, median);
        for (int s = 0; s < station_count; ++s) {
            if (!g->present[s]) continue;
            const std::string station = std::string(station_ids[s]) + " " +
                                        std::to_string(g->values[s]) + " F of " + g->guidance;
            const double distance = std::fabs(g->values[s] - median);
            if (has_median && distance >= limits.station_outlier)
                flag(flag_kind::station_outlier, station + " is " + decimal(distance) +
                                                     " F from its stations' median " +
                                                     decimal(median) + " F");
            if (g->values[s] < limits.lowest || g->values[s] > limits.highest)
                flag(flag_kind::implausible, station + outside);
        }
    }
    if (v.unrounded < limits.lowest || v.unrounded > limits.highest)
        flag(flag_kind::implausible, "the city value " + decimal(v.unrounded) + " F" + outside);
}

void flag_period(forecast_period& p, const flag_limits& limits) {
    for (int e = 0; e < period_element_count; ++e) flag_value(p, e, limits);
    const period_value &temperature = p.values[temperature_element],
                       &dew_point = p.values[dew_point_element];
    // Rounded, as the product gives them: a dew point that only the decimals put above the
    // temperature is issued equal to it.
    if (temperature.exists && dew_point.exists && dew_point.value > temperature.value)
        p.flags.push_back(period_flag{flag_kind::dew_point_above_temperature, dew_point_element,
                                      p.name + ": dew point " + std::to_string(dew_point.value) +
                                          " F above the " + element_words(p, temperature_element) +
                                          " " + std::to_string(temperature.value) + " F"});
}

} // namespace

std::vector<forecast_period> forecast_periods(const loaded_bulletins& loaded,
                                              const city_forecast& forecast,
                                              const flag_limits& limits) {
    const value_context x{loaded,
                          forecast,
                          {guidance_label(loaded.layout, 0), guidance_label(loaded.layout, 1),
                           guidance_label(loaded.layout, 2)}};
    utc_time midnight = loaded.issued;
    midnight.hour = 0;
    std::vector<forecast_period> periods;
    // Only the NBS gives the high of the bulletin date's own daytime (column 1, HighTemp).
    if (std::isfinite(forecast.today[1].value)) {
        forecast_period today = make_period(add_hours(midnight, 12), 0, false);
        today.name = today.short_name = "Today";
        periods.push_back(today);
    }
    for (int day = 1; day <= issued_days(forecast); ++day) {
        const utc_time date = add_hours(midnight, 24LL * day);
        periods.push_back(make_period(date, day, true));
        if (day == 1) periods.back().name = periods.back().short_name = "Tonight";
        periods.push_back(make_period(add_hours(date, 12), day, false));
    }
    for (forecast_period& p : periods) take_values(x, p);
    take_sky_wind(x, periods);
    for (forecast_period& p : periods) flag_period(p, limits);
    return periods;
}
