#include "pointforecast/first_city_gap.h"

#include "pointforecast/city_forecast.h"

// Whether any of the stations' blocks of the given groups has a value other than marker.
template <class Block, class Get>
static bool any_station(const Block* a, const Block* b, Get get, std::int32_t marker) {
    for (int s = 0; s < station_count; ++s)
        if (get(a[s]) != marker || (b && get(b[s]) != marker)) return true;
    return false;
}

std::string first_city_gap(const bulletin_values& v) {
    const std::int32_t t = missing_temp_pop_value, w = missing_wind_value;
    for (int d = 0; d < 2; ++d) {
        // Day d + 1's values, column by column, as the day table shows them.
        const short_temp_pop* eta = v.eta_temp_pop;
        const short_temp_pop* avn = v.avn_temp_pop;
        const bool there[day_columns] = {
            any_station(
                eta, avn, [&](const short_temp_pop& b) { return b.temp[2 * d]; }, t),
            any_station(
                eta, avn, [&](const short_temp_pop& b) { return b.temp[2 * d + 1]; }, t),
            any_station(
                eta, avn, [&](const short_temp_pop& b) { return b.dew_point[2 * d]; }, t),
            any_station(
                eta, avn, [&](const short_temp_pop& b) { return b.dew_point[2 * d + 1]; }, t),
            any_station(
                eta, avn, [&](const short_temp_pop& b) { return b.pop12[2 * d]; }, t),
            any_station(
                eta, avn, [&](const short_temp_pop& b) { return b.pop12[2 * d + 1]; }, t),
        };
        for (int c = 0; c < day_columns; ++c)
            if (!there[c]) return day_value_name(d, c);
    }
    for (int e = 0; e < extended_days; ++e) {
        const ext_temp_pop* mrf = v.mrf_temp_pop;
        const ext_temp_pop* none = nullptr;
        const bool there[day_columns] = {
            any_station(
                mrf, none, [&](const ext_temp_pop& b) { return b.low_temp[e]; }, t),
            any_station(
                mrf, none, [&](const ext_temp_pop& b) { return b.high_temp[e]; }, t),
            any_station(
                mrf, none, [&](const ext_temp_pop& b) { return b.low_dew_point[e]; }, t),
            any_station(
                mrf, none, [&](const ext_temp_pop& b) { return b.high_dew_point[e]; }, t),
            true,
            any_station(
                mrf, none, [&](const ext_temp_pop& b) { return b.pop24[e]; }, t),
        };
        for (int c = 0; c < day_columns; ++c)
            if (!there[c]) return day_value_name(2 + e, c);
    }
    // Cloud words have no missing marker. A calm direction is a value (0), so a direction
    // is a gap only when every station's is missing.
    for (int r = 0; r < short_rows; ++r) {
        const short_sky_wind* eta = v.eta_sky_wind;
        const short_sky_wind* avn = v.avn_sky_wind;
        if (!any_station(
                eta, avn, [&](const short_sky_wind& b) { return b.direction[r]; }, w))
            return sky_wind_value_name(r, "WDR");
        if (!any_station(
                eta, avn, [&](const short_sky_wind& b) { return b.speed[r]; }, w))
            return sky_wind_value_name(r, "WSP");
    }
    for (int e = 0; e < extended_columns; ++e) {
        const ext_sky_wind* none = nullptr;
        if (!any_station(
                v.mrf_sky_wind, none, [&](const ext_sky_wind& b) { return b.speed[e]; }, w))
            return sky_wind_value_name(short_rows + e, "WSP");
    }
    return "";
}
