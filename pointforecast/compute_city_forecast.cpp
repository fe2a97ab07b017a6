#include "pointforecast/compute_city_forecast.h"

#include "arith/station_sums.h"
#include "arith/unit_conversions.h"
#include "pointforecast/day_columns.h"

#include <cmath>
#include <limits>

static const double gap = std::numeric_limits<double>::quiet_NaN();

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
                        const pair_presence& present, value_source& source) {
    const int stations = count_present(present);
    city_value v{gap, stations < 2 * station_count};
    if (!present_blended_sum(eta_weight, avn_ratio, pair, present, v.value)) v.value = gap;
    source = {gap, gap, stations};
    present_station_sum(pair.first, present.first, source.first);
    present_station_sum(pair.second, present.second, source.second);
    return v;
}

// A value of the extended range, the stations that lack it left out.
static city_value weigh(const station_set& set, const station_presence& present,
                        value_source& source) {
    const int stations = count_present(present);
    city_value v{gap, stations < station_count};
    if (!present_station_sum(set, present, v.value)) v.value = gap;
    source = {gap, gap, stations};
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
// blend as tenths, s / 10.0, a double.
static const double percent_per_tenth = 10.0;

// The short-range cloud blend, the values that are missing left out as present_blended_sum
// leaves them out; a first-model bulletin's sky covers in percent enter it as tenths. With
// all eight present it is blended_station_sum of the codes exactly.
static city_value blend_sky(const bulletin_values& v, double eta_weight, double avn_ratio,
                            const model_pair& cloud, const pair_presence& present,
                            value_source& source) {
    double first_cloud[station_count], second_cloud[station_count];
    for (int s = 0; s < station_count; ++s) {
        const double c = static_cast<double>(cloud.first[s]);
        first_cloud[s] = v.blend[s] ? c / percent_per_tenth : c;
        second_cloud[s] = static_cast<double>(cloud.second[s]);
    }
    const int stations = count_present(present);
    city_value out{gap, stations < 2 * station_count};
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
    source = {first ? s1 / 10.0 : gap, second ? s2 / 10.0 : gap, stations};
    return out;
}

// Whether every value the tables show is a number; else the first that is not.
static std::string first_overflow(const city_forecast& f) {
    for (int d = 0; d < issued_days(f); ++d)
        for (int c = 0; c < day_column_count; ++c)
            if (day_value_exists(d, c) && !std::isfinite(f.day[d][c].value))
                return day_value_name(d, c);
    for (int r = 0; r < issued_rows(f); ++r) {
        const city_value* values[hour_quantity_count] = {
            &f.cloud[r], r < short_rows ? &f.direction[r] : nullptr, &f.speed[r]};
        for (int q = 0; q < hour_quantity_count; ++q)
            if (hour_value_exists(r, q) && !std::isfinite(values[q]->value))
                return hour_value_name(r, q);
    }
    return "";
}

static void compute_short_hour(const bulletin_values& v, double eta_weight, double avn_ratio, int r,
                               city_forecast& f) {
    model_pair cloud, direction, speed;
    pair_presence cloud_present, direction_present, speed_present;
    short_hour_values(v, r, cloud_quantity, cloud, cloud_present);
    short_hour_values(v, r, direction_quantity, direction, direction_present);
    short_hour_values(v, r, speed_quantity, speed, speed_present);
    f.cloud[r] = blend_sky(v, eta_weight, avn_ratio, cloud, cloud_present, f.sources.cloud[r]);
    f.direction[r] = {gap, count_present(direction_present) < 2 * station_count};
    if (!blended_wind_direction(eta_weight, avn_ratio, direction, speed, direction_present,
                                f.direction[r].value))
        f.direction[r].value = gap;
    model_directions(direction, speed, direction_present, f.sources.direction[r]);
    value_source& speed_source = f.sources.speed[r];
    f.speed[r] = blend(eta_weight, avn_ratio, speed, speed_present, speed_source);
    f.speed[r].value = knots_to_mph(f.speed[r].value);
    speed_source.first = knots_to_mph(speed_source.first);
    speed_source.second = knots_to_mph(speed_source.second);
}

static void compute_extended_hour(const bulletin_values& v, int r, city_forecast& f) {
    station_set cloud, speed;
    station_presence cloud_present, speed_present;
    extended_hour_values(v, r, cloud_quantity, cloud, cloud_present);
    extended_hour_values(v, r, speed_quantity, speed, speed_present);
    f.cloud[r] = weigh(cloud, cloud_present, f.sources.cloud[r]);
    f.cloud[r].value = f.cloud[r].value / 10.0;
    f.speed[r] = weigh(speed, speed_present, f.sources.speed[r]);
    f.speed[r].value = knots_to_mph(f.speed[r].value);
}

bool compute_city_forecast(const bulletin_values& v, double eta_weight, city_forecast& f,
                           fault& why) {
    const double avn_ratio = 1.0 - eta_weight;
    f.extended = has_extended(v);
    for (int d = 0; d < forecast_days; ++d)
        for (int c = 0; c < day_column_count; ++c) {
            value_source& source = f.sources.day[d][c];
            if (!day_value_exists(d, c) || d >= issued_days(f)) {
                f.day[d][c] = {gap, false};
                source = {gap, gap, 0};
            } else if (d < short_days) {
                model_pair stations;
                pair_presence present;
                short_day_values(v, d, c, stations, present);
                f.day[d][c] = blend(eta_weight, avn_ratio, stations, present, source);
            } else {
                station_set stations;
                station_presence present;
                extended_day_values(v, d, c, stations, present);
                f.day[d][c] = weigh(stations, present, source);
            }
        }
    for (int c = 0; c < day_column_count; ++c) {
        f.today[c] = {gap, false};
        f.sources.today[c] = {gap, gap, 0};
        if (!today_value_exists(c)) continue;
        model_pair stations;
        pair_presence present;
        today_values(v, c, stations, present);
        f.today[c] = blend(eta_weight, avn_ratio, stations, present, f.sources.today[c]);
        // Only the NBS gives the daytime's high and probability: four stations are all.
        if (day_columns[c].row != dew_point_row)
            f.today[c].fewer_stations = f.sources.today[c].stations < station_count;
    }
    for (int r = 0; r < short_rows; ++r) compute_short_hour(v, eta_weight, avn_ratio, r, f);
    for (int r = short_rows; r < sky_wind_rows; ++r) {
        f.cloud[r] = f.speed[r] = {gap, false};
        f.sources.cloud[r] = f.sources.speed[r] = {gap, gap, 0};
        if (r < issued_rows(f)) compute_extended_hour(v, r, f);
    }
    const std::string overflow = first_overflow(f);
    if (overflow.empty()) return true;
    why = fault{fault_kind::bad_weight, overflow + " comes out as no finite number", "", 0, -1};
    return false;
}

// Whether no station of any model gives value (i, j) of a table: read_short reads its
// station values in the short range, read_extended beyond it.
template <class ShortReader, class ExtendedReader>
static bool no_station_gives(const bulletin_values& v, bool short_range, int i, int j,
                             ShortReader read_short, ExtendedReader read_extended) {
    if (short_range) {
        model_pair values;
        pair_presence present;
        read_short(v, i, j, values, present);
        return count_present(present) == 0;
    }
    station_set values;
    station_presence present;
    read_extended(v, i, j, values, present);
    return count_present(present) == 0;
}

std::string first_city_gap(const bulletin_values& v) {
    for (int d = 0; d < (has_extended(v) ? forecast_days : short_days); ++d)
        for (int c = 0; c < day_column_count; ++c)
            if (day_value_exists(d, c) &&
                no_station_gives(v, d < short_days, d, c, short_day_values, extended_day_values))
                return day_value_name(d, c);
    // A calm direction is a value (0), so a direction is a gap only when every station's
    // is missing.
    for (int r = 0; r < (has_extended(v) ? sky_wind_rows : short_rows); ++r)
        for (int q = 0; q < hour_quantity_count; ++q)
            if (hour_value_exists(r, q) &&
                no_station_gives(v, r < short_rows, r, q, short_hour_values, extended_hour_values))
                return hour_value_name(r, q);
    return "";
}
