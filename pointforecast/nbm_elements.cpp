#include "pointforecast/nbm_elements.h"

#include "arith/station_sums.h"
#include "arith/unit_conversions.h"
#include "pointforecast/day_columns.h"
#include "reading/places.h"

#include <algorithm>
#include <cmath>
#include <limits>

static const double none = std::numeric_limits<double>::quiet_NaN();

double nbm_document_value(nbm_unit unit, double value) {
    switch (unit) {
    case nbm_unit::knots:
        return knots_to_mph(value);
    case nbm_unit::hundredths:
        return value / 100.0;
    case nbm_unit::tenths:
        return value / 10.0;
    case nbm_unit::as_given:
        break;
    }
    return value;
}

void read_nbm_bulletins(std::istream& in, const std::string& name, const bulletin_layout& layout,
                        nbm_bulletins& bulletins, std::vector<fault>& notes) {
    std::vector<fault> read;
    read_nbm_rows(in, layout, bulletins, read);
    for (fault& note : read) note.file = name;
    if (!read.empty()) place_lines(in, read);
    notes.insert(notes.end(), read.begin(), read.end());
}

double wind_chill(double temp_f, double wind_mph) {
    if (!(temp_f <= 50) || !(wind_mph > 3)) return none;
    const double v = std::pow(wind_mph, 0.16);
    return 35.74 + 0.6215 * temp_f - 35.75 * v + 0.4275 * temp_f * v;
}

int precip_type_of(const double (&means)[precip_type_count]) {
    int best = -1;
    for (int t = 0; t < precip_type_count; ++t)
        if (means[t] > 0 && (best < 0 || means[t] > means[best])) best = t;
    return best;
}

namespace {

// The city value of row r at hour index i from the stations that give it, as every city
// value is made; false where no station gives one.
bool city_row_value(const nbm_bulletins& b, int r, int i, double& value) {
    station_set values;
    station_presence present;
    for (int s = 0; s < station_count; ++s) {
        values[s] = b.station[s].value[r][i];
        present[s] = b.given[s] && b.station[s].present[r][i];
    }
    return present_station_sum(values, present, value);
}

nbm_city_value city_value_of(const nbm_bulletins& b, const nbm_element_rule& rule, int i) {
    nbm_city_value v;
    for (int s = 0; s < station_count; ++s) {
        if (!b.given[s] || !b.station[s].present[rule.row][i]) continue;
        const std::int32_t x = b.station[s].value[rule.row][i];
        v.lowest = v.stations ? std::min(v.lowest, x) : x;
        v.highest = v.stations ? std::max(v.highest, x) : x;
        ++v.stations;
    }
    v.exists = city_row_value(b, rule.row, i, v.value);
    if (!v.exists) v.value = none;
    if (rule.spread_row < 0 || !city_row_value(b, rule.spread_row, i, v.spread)) v.spread = none;
    return v;
}

// The index of the hour that many hours after the cycle, or -1 where the NBS has none.
int hour_index(long long hours) {
    if (hours < nbm_hour(0) || hours > nbm_hour(nbm_hour_count - 1) || (hours - nbm_hour(0)) % 3)
        return -1;
    return static_cast<int>((hours - nbm_hour(0)) / 3);
}

// Amounts stand every 6 hours: a period's amount is the sum of those that end in it, and
// none where one of them is missing at every station.
const int amount_hours = 6;

// The period's sum of element e at its 6-hourly hours, in the bulletin's unit.
bool period_sum(const nbm_forecast& f, const std::vector<int>& hours, nbm_element e, double& sum) {
    sum = 0;
    bool any = false;
    for (int i : hours) {
        if (nbm_hour(i) % amount_hours) continue;
        const nbm_city_value& v = f.hour[i][e];
        if (!v.exists) return false;
        sum += v.value;
        any = true;
    }
    return any;
}

// A chance of precipitation at which its kind is given, percent.
const long long least_typed_pop = 15;

void take_period(const nbm_forecast& f, const forecast_period& p, const std::vector<int>& hours,
                 int end, nbm_period& n) {
    double sum = 0;
    if ((n.has_precip = period_sum(f, hours, nbm_precip, sum)))
        n.precip_in = static_cast<double>(rounded_value(sum)) / 100.0;
    if ((n.has_snow = period_sum(f, hours, nbm_snowfall, sum)))
        n.snow_in = static_cast<double>(rounded_value(sum)) / 10.0;
    double gust = none, chill = none;
    double type_sum[precip_type_count] = {}, type_count[precip_type_count] = {};
    for (int i : hours) {
        const nbm_city_value* v = f.hour[i];
        if (v[nbm_gust].exists && (std::isnan(gust) || v[nbm_gust].value > gust))
            gust = v[nbm_gust].value;
        if (v[nbm_temp].exists && v[nbm_wind_speed].exists) {
            const double c = wind_chill(v[nbm_temp].value, knots_to_mph(v[nbm_wind_speed].value));
            if (std::isfinite(c) && (std::isnan(chill) || c < chill)) chill = c;
        }
        for (int t = 0; t < precip_type_count; ++t)
            if (v[nbm_freezing_rain_chance + t].exists) {
                type_sum[t] += v[nbm_freezing_rain_chance + t].value;
                ++type_count[t];
            }
    }
    if ((n.has_gust = std::isfinite(gust))) n.gust_mph = rounded_value(knots_to_mph(gust));
    if ((n.has_wind_chill = std::isfinite(chill))) n.wind_chill_f = rounded_value(chill);
    const period_value& pop = p.values[pop_element];
    if (pop.exists && pop.value >= least_typed_pop) {
        double means[precip_type_count];
        for (int t = 0; t < precip_type_count; ++t)
            means[t] = type_count[t] > 0 ? type_sum[t] / type_count[t] : none;
        n.precip_type = precip_type_of(means);
    }
    if (end < 0) return;
    const nbm_city_value* at_end = f.hour[end];
    if ((n.has_thunder = at_end[nbm_thunder_12h].exists))
        n.thunder_pct = rounded_value(at_end[nbm_thunder_12h].value);
    const nbm_city_value& extreme = at_end[nbm_max_min_temp];
    if ((n.has_spread = extreme.exists && std::isfinite(extreme.spread))) {
        n.unrounded_spread = extreme.spread;
        n.spread = rounded_value(extreme.spread);
    }
    if ((n.has_range = extreme.exists)) {
        n.station_lowest = extreme.lowest;
        n.station_highest = extreme.highest;
    }
}

} // namespace

nbm_forecast nbm_city_forecast(const nbm_bulletins& bulletins, const utc_time& issued,
                               const std::vector<forecast_period>& periods) {
    nbm_forecast f;
    f.periods.resize(periods.size());
    for (bool given : bulletins.given) f.given = f.given || given;
    for (int i = 0; i < nbm_hour_count; ++i)
        for (int e = 0; e < nbm_element_count; ++e)
            f.hour[i][e] = city_value_of(bulletins, nbm_elements[e], i);
    if (!f.given) return f;
    std::vector<std::vector<int>> hours(periods.size());
    for (int i = 0; i < nbm_hour_count; ++i) {
        const int at = period_at(periods, add_hours(issued, nbm_hour(i)));
        if (at >= 0) hours[at].push_back(i);
    }
    for (std::size_t k = 0; k < periods.size(); ++k) {
        const forecast_period& p = periods[k];
        // Days 3 to 7 are the extended guidance's, though the NBS reaches into day 3.
        if (p.day > short_days) continue;
        f.periods[k].given = true;
        take_period(f, p, hours[k],
                    hour_index(hours_since_epoch(p.end) - hours_since_epoch(issued)), f.periods[k]);
    }
    return f;
}
