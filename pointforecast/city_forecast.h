#pragma once

// One value of the city forecast, and whether it rests on fewer stations than the four
// because some bulletin had no value there. A value that no station has is NaN: a gap.
struct city_value {
    double value;
    bool fewer_stations;
};

// Days of the day table, and its columns (day_columns.h says what each holds).
inline constexpr int forecast_days = 7;
inline constexpr int day_column_count = 6;
// Days of the day table that the short-range bulletins give; the extended ones give the
// rest.
inline constexpr int short_days = 2;

// Rows of the sky and wind table: 19 short-range hours 6, 9, ..., 60, then 11 extended
// hours 72, 84, ..., 192.
inline constexpr int short_rows = 19;
inline constexpr int sky_wind_rows = 30;

// The hour of sky and wind row r.
inline constexpr int sky_wind_hour(int r) {
    return r < short_rows ? 6 + 3 * r : 72 + 12 * (r - short_rows);
}

// Where one value of the city forecast comes from, for programs that weigh the models
// again: the city value of the ETA stations alone (first) and of the AVN stations alone
// (second), each NaN where that model has none and for the extended range, and how many
// station values went into it (of 8, or of 4 in the extended range).
struct value_source {
    double first;
    double second;
    int stations;
};

// The sources of every value of a city_forecast, arranged as its values are.
struct forecast_sources {
    value_source day[forecast_days][day_column_count];
    value_source today[day_column_count];
    value_source cloud[sky_wind_rows];
    value_source direction[short_rows];
    value_source speed[sky_wind_rows];
};

// Every value of a 1200 run for the city. Days 3 to 7 have no LowProbPrec (their column
// 4 is a gap), and the extended rows no wind direction.
struct city_forecast {
    city_value day[forecast_days][day_column_count];
    // The bulletin date's own daytime (12 to 24 UTC), before day 1, in the day table's
    // columns: its high and probability where an NBS bulletin gives them (the first
    // guidance alone), its dew point at 00 UTC blended; NaN elsewhere. No table shows it.
    city_value today[day_column_count];
    city_value cloud[sky_wind_rows];  // covered fraction of the sky, 0 to 1
    city_value direction[short_rows]; // tens of degrees, as the bulletins give it
    city_value speed[sky_wind_rows];  // miles per hour
    forecast_sources sources;         // what each value above rests on
    // False for a forecast of the short-range guidance alone: days 3 to 7 and the extended
    // hours are gaps, and every output leaves them out and says so.
    bool extended = true;
};

// The days and the sky and wind rows a forecast issues: all, or those of the short range.
inline int issued_days(const city_forecast& f) {
    return f.extended ? forecast_days : short_days;
}
inline int issued_rows(const city_forecast& f) {
    return f.extended ? sky_wind_rows : short_rows;
}
