#include "pointforecast/compute_city_forecast.h"

#include "arith/station_sums.h"
#include "arith/unit_conversions.h"
#include "arith/wind_direction.h"
#include "pointforecast/first_city_gap.h"

#include <cmath>
#include <limits>

static const double gap = std::numeric_limits<double>::quiet_NaN();

// The eight values of one quantity at one time: the ETA stations and the AVN ones.
template <class Block, class Get>
static void gather(const Block* eta, const Block* avn, Get get, model_pair& pair) {
    for (int s = 0; s < station_count; ++s) {
        pair.first[s] = get(eta[s]);
        pair.second[s] = get(avn[s]);
    }
}

// The four values of one quantity at one time from the extended bulletins.
template <class Block, class Get> static void gather(const Block* mrf, Get get, station_set& set) {
    for (int s = 0; s < station_count; ++s) set[s] = get(mrf[s]);
}

// Which values are not the bulletins' missing marker; true when one is.
static bool mark_present(const station_set& values, std::int32_t marker,
                         station_presence& present) {
    bool fewer = false;
    for (int k = 0; k < station_count; ++k) {
        present[k] = values[k] != marker;
        fewer = fewer || !present[k];
    }
    return fewer;
}

static bool mark_present(const model_pair& values, std::int32_t marker, pair_presence& present) {
    const bool first = mark_present(values.first, marker, present.first);
    const bool second = mark_present(values.second, marker, present.second);
    return first || second;
}

static int count_present(const station_presence& present) {
    int n = 0;
    for (bool p : present) n += p ? 1 : 0;
    return n;
}

static int count_present(const pair_presence& present) {
    return count_present(present.first) + count_present(present.second);
}

// A blended value of the short range, the stations that lack it left out; source gets
// each model's value by the same rules.
static city_value blend(double eta_weight, double avn_ratio, const model_pair& pair,
                        std::int32_t marker, value_source& source) {
    pair_presence present;
    city_value v{gap, mark_present(pair, marker, present)};
    if (!present_blended_sum(eta_weight, avn_ratio, pair, present, v.value)) v.value = gap;
    source = {gap, gap, count_present(present)};
    present_station_sum(pair.first, present.first, source.first);
    present_station_sum(pair.second, present.second, source.second);
    return v;
}

// A value of the extended range, the stations that lack it left out.
static city_value weigh(const station_set& set, std::int32_t marker, value_source& source) {
    station_presence present;
    city_value v{gap, mark_present(set, marker, present)};
    if (!present_station_sum(set, present, v.value)) v.value = gap;
    source = {gap, gap, count_present(present)};
    return v;
}

// Each model's wind direction alone, its own test for spanning north included: the other
// model's stations count as absent, so the blend is that model's value unweighted.
static void model_directions(const model_pair& directions, const model_pair& speeds,
                             const pair_presence& present, value_source& source) {
    pair_presence first = present, second = present;
    for (int s = 0; s < station_count; ++s) first.second[s] = second.first[s] = false;
    source = {gap, gap, count_present(present)};
    if (!blended_wind_direction(1.0, 0.0, directions, speeds, first, source.first))
        source.first = gap;
    if (!blended_wind_direction(0.0, 1.0, directions, speeds, second, source.second))
        source.second = gap;
}

// Sky covers of the National Blend are percent, not cloud codes: each enters the cloud
// blend as tenths, s / 10.0, a double, and a missing one (999) is left out.
static const double percent_per_tenth = 10.0;

// The short-range cloud blend of row r when some first-model bulletin gives sky covers in
// percent, the values that are missing left out as present_blended_sum leaves them out.
static city_value blend_sky(const bulletin_values& v, double eta_weight, double avn_ratio, int r,
                            value_source& source) {
    double first_cloud[station_count], second_cloud[station_count];
    pair_presence present;
    for (int s = 0; s < station_count; ++s) {
        const short_sky_wind& first = v.eta_sky_wind[s];
        const std::int32_t c = first.cloud[r];
        present.first[s] = first.sky_percent == 0 || c != missing_temp_pop_value;
        first_cloud[s] = first.sky_percent != 0 ? static_cast<double>(c) / percent_per_tenth
                                                : static_cast<double>(c);
        present.second[s] = true;
        second_cloud[s] = static_cast<double>(v.avn_sky_wind[s].cloud[r]);
    }
    const bool all = count_present(present) == 2 * station_count;
    city_value out{gap, !all};
    double s1 = 0, s2 = 0;
    const bool first = present_station_sum(first_cloud, present.first, s1);
    const bool second = present_station_sum(second_cloud, present.second, s2);
    if (first && second)
        out.value = (eta_weight * s1) + (avn_ratio * s2);
    else if (second)
        out.value = s2;
    else if (first)
        out.value = s1;
    if (first || second) out.value = out.value / 10.0;
    source = {first ? s1 / 10.0 : gap, second ? s2 / 10.0 : gap, count_present(present)};
    return out;
}

// The short-range row of each day column, and whether the column takes the day's daytime
// value of the row (its second) or its night one.
struct short_day_column {
    std::int32_t (short_temp_pop::*row)[4];
    bool daytime;
};
static const short_day_column short_day_columns[day_columns] = {
    {&short_temp_pop::temp, false},      {&short_temp_pop::temp, true},
    {&short_temp_pop::dew_point, false}, {&short_temp_pop::dew_point, true},
    {&short_temp_pop::pop12, false},     {&short_temp_pop::pop12, true}};

// The extended row of each day column; the low precipitation column has none.
static std::int32_t (ext_temp_pop::*const ext_day_rows[day_columns])[extended_days] = {
    &ext_temp_pop::low_temp,
    &ext_temp_pop::high_temp,
    &ext_temp_pop::low_dew_point,
    &ext_temp_pop::high_dew_point,
    nullptr,
    &ext_temp_pop::pop24};

// Whether every value the tables show is a number; else the first that is not.
static std::string first_overflow(const city_forecast& f) {
    for (int d = 0; d < forecast_days; ++d)
        for (int c = 0; c < day_columns; ++c)
            if (shown_in_day_table(d, c) && !std::isfinite(f.day[d][c].value))
                return day_value_name(d, c);
    for (int r = 0; r < sky_wind_rows; ++r) {
        if (!std::isfinite(f.cloud[r].value)) return sky_wind_value_name(r, "CLD");
        if (r < short_rows && !std::isfinite(f.direction[r].value))
            return sky_wind_value_name(r, "WDR");
        if (!std::isfinite(f.speed[r].value)) return sky_wind_value_name(r, "WSP");
    }
    return "";
}

bool compute_city_forecast(const bulletin_values& v, double eta_weight, city_forecast& f,
                           fault& why) {
    const double avn_ratio = 1.0 - eta_weight;
    const std::int32_t day_marker = missing_temp_pop_value;
    for (int d = 0; d < 2; ++d)
        for (int c = 0; c < day_columns; ++c) {
            // Day d + 1 takes the short-range values 2d (its night) and 2d + 1 (its daytime).
            const short_day_column& column = short_day_columns[c];
            const int k = 2 * d + (column.daytime ? 1 : 0);
            model_pair p;
            gather(
                v.eta_temp_pop, v.avn_temp_pop,
                [&](const short_temp_pop& b) { return (b.*column.row)[k]; }, p);
            f.day[d][c] = blend(eta_weight, avn_ratio, p, day_marker, f.sources.day[d][c]);
        }
    for (int t = 0; t < extended_days; ++t)
        for (int c = 0; c < day_columns; ++c) {
            // Days 3 to 7 hold no low precipitation probability.
            if (c == low_pop_column) {
                f.day[2 + t][c] = {gap, false};
                f.sources.day[2 + t][c] = {gap, gap, 0};
                continue;
            }
            station_set s;
            gather(
                v.mrf_temp_pop, [&](const ext_temp_pop& b) { return (b.*ext_day_rows[c])[t]; }, s);
            f.day[2 + t][c] = weigh(s, day_marker, f.sources.day[2 + t][c]);
        }

    for (int r = 0; r < short_rows; ++r) {
        model_pair cloud, direction, speed;
        gather(
            v.eta_sky_wind, v.avn_sky_wind, [&](const short_sky_wind& b) { return b.cloud[r]; },
            cloud);
        gather(
            v.eta_sky_wind, v.avn_sky_wind, [&](const short_sky_wind& b) { return b.direction[r]; },
            direction);
        gather(
            v.eta_sky_wind, v.avn_sky_wind, [&](const short_sky_wind& b) { return b.speed[r]; },
            speed);
        bool sky_percent = false;
        for (int s = 0; s < station_count; ++s)
            sky_percent = sky_percent || v.eta_sky_wind[s].sky_percent != 0;
        if (sky_percent) {
            f.cloud[r] = blend_sky(v, eta_weight, avn_ratio, r, f.sources.cloud[r]);
        } else {
            // Cloud words have no missing marker: every cloud code is a value.
            f.cloud[r] = {blended_station_sum(eta_weight, avn_ratio, cloud) / 10.0, false};
            f.sources.cloud[r] = {weighted_station_sum(cloud.first) / 10.0,
                                  weighted_station_sum(cloud.second) / 10.0, 2 * station_count};
        }
        pair_presence present;
        f.direction[r] = {gap, mark_present(direction, missing_wind_value, present)};
        if (!blended_wind_direction(eta_weight, avn_ratio, direction, speed, present,
                                    f.direction[r].value))
            f.direction[r].value = gap;
        model_directions(direction, speed, present, f.sources.direction[r]);
        value_source& speed_source = f.sources.speed[r];
        f.speed[r] = blend(eta_weight, avn_ratio, speed, missing_wind_value, speed_source);
        f.speed[r].value = knots_to_mph(f.speed[r].value);
        speed_source.first = knots_to_mph(speed_source.first);
        speed_source.second = knots_to_mph(speed_source.second);
    }
    for (int e = 0; e < extended_columns; ++e) {
        station_set cloud, speed;
        gather(
            v.mrf_sky_wind, [&](const ext_sky_wind& b) { return b.cloud[e]; }, cloud);
        gather(
            v.mrf_sky_wind, [&](const ext_sky_wind& b) { return b.speed[e]; }, speed);
        const int r = short_rows + e;
        f.cloud[r] = {weighted_station_sum(cloud) / 10.0, false};
        f.sources.cloud[r] = {gap, gap, station_count};
        f.speed[r] = weigh(speed, missing_wind_value, f.sources.speed[r]);
        f.speed[r].value = knots_to_mph(f.speed[r].value);
    }
    const std::string overflow = first_overflow(f);
    if (overflow.empty()) return true;
    why = fault{fault_kind::bad_weight, overflow + " comes out as no finite number", "", 0, -1};
    return false;
}
