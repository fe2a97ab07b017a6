#pragma once

#include "arith/stations.h"
#include "ingest/bulletin_values.h"
#include "pointforecast/city_forecast.h"

#include <string>

// What each value of the city forecast is and where it comes from: the columns of the day
// table and the quantities of the sky and wind table, each with the bulletin row and value
// it is made of and when it is valid.

// One column of the day table: its caption and the documents' key; the bulletin row it
// comes from, and which of a day's two values of the row (0 the night's, 1 the
// daytime's); how many values a day the extended row has (two in pairs, one a day, or
// none, where days 3 to 7 leave the column blank); and its valid period in hours after
// 0000 UTC of its day, in the short and in the extended range.
struct day_column {
    const char* caption;
    const char* key;
    bulletin_row row;
    int half;
    int extended_per_day;
    int from_hour, to_hour;
    int extended_from_hour, extended_to_hour;
};

// Lows are the night's (00 to 12 UTC), highs the daytime's (12 to 24 UTC); the dew points
// stand at 12 UTC and at 00 UTC at the day's end; the precipitation probabilities cover
// the two 12-hour periods of days 1 and 2, and the whole day on days 3 to 7.
inline constexpr day_column day_columns[day_column_count] = {
    {"LowTemp", "low_temp", temp_row, 0, 2, 0, 12, 0, 12},
    {"HighTemp", "high_temp", temp_row, 1, 2, 12, 24, 12, 24},
    {"LowDPT", "low_dew_point", dew_point_row, 0, 2, 12, 12, 12, 12},
    {"HighDPT", "high_dew_point", dew_point_row, 1, 2, 24, 24, 24, 24},
    {"LowProbPrec", "low_pop", pop_row, 0, 0, 0, 12, 0, 0},
    {"HighProbPrec", "high_pop", pop_row, 1, 1, 12, 24, 0, 24},
};

// Whether day d (0-based) has a value in column c.
bool day_value_exists(int d, int c);

// Value c of day d as a forecaster finds it in the day table: "day 3 LowTemp".
std::string day_value_name(int d, int c);

// Where value c of day d stands among the values a bulletin block holds of the column's
// row (row_values).
int day_value_index(int d, int c);

// The valid period of value c of day d, in hours after 0000 UTC of the day's date.
void day_valid_hours(int d, int c, int& from_hour, int& to_hour);

// The station values of value c of a short-range day d (d < short_days): of the first
// model's bulletins and of the second's, and which of them the bulletins give.
void short_day_values(const bulletin_values& values, int d, int c, model_pair& stations,
                      pair_presence& present);

// The station values of value c of an extended day d, and which of them the bulletins
// give. Only for a value that exists.
void extended_day_values(const bulletin_values& values, int d, int c, station_set& stations,
                         station_presence& present);

// Whether the bulletin date's own daytime (12 to 24 UTC, before day 1) has column c: the
// daytime's columns alone, the high, the dew point at its end and the probability.
bool today_value_exists(int c);

// The station values of column c of the bulletin date's daytime, of both short-range
// models, and which of them the bulletins give (a MOS bulletin gives no high or
// probability there). Only for a column that exists.
void today_values(const bulletin_values& values, int c, model_pair& stations,
                  pair_presence& present);

// One quantity of the sky and wind table: its caption, the documents' key and the
// bulletin row it comes from.
struct hour_quantity {
    const char* caption;
    const char* key;
    bulletin_row row;
};
enum { cloud_quantity, direction_quantity, speed_quantity, hour_quantity_count };
inline constexpr hour_quantity hour_quantities[hour_quantity_count] = {
    {"CLD", "cloud", cloud_row},
    {"WDR", "wind_direction", direction_row},
    {"WSP", "wind_speed_mph", speed_row},
};

// Whether row r of the sky and wind table has quantity q: the extended rows give no wind
// direction.
bool hour_value_exists(int r, int q);

// Quantity q of sky and wind row r as a forecaster finds it: "hour 12 WDR".
std::string hour_value_name(int r, int q);

// The station values of quantity q of a short-range row r (r < short_rows), of both
// models, and which of them the bulletins give. The first model's cloud values are sky
// covers in percent where values.blend says so, cloud codes elsewhere.
void short_hour_values(const bulletin_values& values, int r, int q, model_pair& stations,
                       pair_presence& present);

// The station values of quantity q of an extended row r, and which of them the bulletins
// give. Only for a value that exists.
void extended_hour_values(const bulletin_values& values, int r, int q, station_set& stations,
                          station_presence& present);
