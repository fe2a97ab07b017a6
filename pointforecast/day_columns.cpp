#include "pointforecast/day_columns.h"

bool day_value_exists(int d, int c) {
    return d < short_days || day_columns[c].extended_per_day > 0;
}

std::string day_value_name(int d, int c) {
    return "day " + std::to_string(d + 1) + " " + day_columns[c].caption;
}

int day_value_index(int d, int c) {
    const day_column& column = day_columns[c];
    // A short-range row gives two values a day, the night's and then the daytime's.
    if (d < short_days) return 2 * d + column.half;
    const int t = d - short_days;
    return column.extended_per_day == 2 ? 2 * t + column.half : t;
}

void day_valid_hours(int d, int c, int& from_hour, int& to_hour) {
    const day_column& column = day_columns[c];
    from_hour = d < short_days ? column.from_hour : column.extended_from_hour;
    to_hour = d < short_days ? column.to_hour : column.extended_to_hour;
}

// The station values of one row and index of group g's blocks, and which the bulletins
// give: the first group's National Blend bulletins write missing values their way.
template <class Block>
static void station_values(const bulletin_values& v, int g, const Block* blocks, bulletin_row row,
                           int index, station_set& stations, station_presence& present) {
    for (int s = 0; s < station_count; ++s) {
        stations[s] = row_values(blocks[s], row)[index];
        present[s] = station_given(v, g, s) && !is_missing(stations[s], row, g == 0 && v.blend[s]);
    }
}

void short_day_values(const bulletin_values& v, int d, int c, model_pair& stations,
                      pair_presence& present) {
    const bulletin_row row = day_columns[c].row;
    const int index = day_value_index(d, c);
    station_values(v, 0, v.eta_temp_pop, row, index, stations.first, present.first);
    station_values(v, 1, v.avn_temp_pop, row, index, stations.second, present.second);
}

void extended_day_values(const bulletin_values& v, int d, int c, station_set& stations,
                         station_presence& present) {
    station_values(v, 2, v.mrf_temp_pop, day_columns[c].row, day_value_index(d, c), stations,
                   present);
}

bool today_value_exists(int c) {
    return day_columns[c].half == 1;
}

void today_values(const bulletin_values& v, int c, model_pair& stations, pair_presence& present) {
    const bulletin_row row = day_columns[c].row;
    for (int s = 0; s < station_count; ++s) {
        const std::int32_t* first = today_value(v.eta_temp_pop[s], row);
        const std::int32_t* second = today_value(v.avn_temp_pop[s], row);
        stations.first[s] = first ? *first : missing_temp_pop_value;
        stations.second[s] = second ? *second : missing_temp_pop_value;
        present.first[s] = first && station_given(v, 0, s) && !is_missing(*first, row, v.blend[s]);
        present.second[s] = second && station_given(v, 1, s) && !is_missing(*second, row, false);
    }
}

bool hour_value_exists(int r, int q) {
    return r < short_rows || hour_quantities[q].row != direction_row;
}

std::string hour_value_name(int r, int q) {
    return "hour " + std::to_string(sky_wind_hour(r)) + " " + hour_quantities[q].caption;
}

void short_hour_values(const bulletin_values& v, int r, int q, model_pair& stations,
                       pair_presence& present) {
    const bulletin_row row = hour_quantities[q].row;
    station_values(v, 0, v.eta_sky_wind, row, r, stations.first, present.first);
    station_values(v, 1, v.avn_sky_wind, row, r, stations.second, present.second);
}

void extended_hour_values(const bulletin_values& v, int r, int q, station_set& stations,
                          station_presence& present) {
    station_values(v, 2, v.mrf_sky_wind, hour_quantities[q].row, r - short_rows, stations, present);
}
