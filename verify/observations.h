#pragma once

#include "arith/stations.h"
#include "diagnostics/fault.h"

#include <array>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

// What verification knows of the four stations besides their ids: the place a climate
// product's STATION: line names.
inline constexpr const char* station_places[station_count] = {"BROOKINGS", "HURON", "MITCHELL",
                                                              "SIOUX FALLS"};

// The index of a station id in the order of station_ids, with or without the leading K,
// in any case ("KFSD", "fsd"); -1 for any other station.
int station_index(const std::string& id);

// "KBKX, KHON, KMHE, KFSD", as refusals list the stations.
std::string station_list();

// Where the stations are, for tools that map scores: latitude and longitude in degrees
// (north and east), altitude in metres, of each airport's reference point.
struct place_location {
    double latitude, longitude, altitude;
};
inline constexpr place_location station_locations[station_count] = {
    {44.30472, -96.81694, 502}, // Brookings Regional
    {44.38528, -98.22861, 393}, // Huron Regional
    {43.77472, -98.03861, 397}, // Mitchell Municipal
    {43.58194, -96.74194, 436}, // Sioux Falls Regional (Joe Foss Field)
};

// The city's place: the station-weighted mean of the four.
place_location city_location();

// Times of readings and windows: minutes since 1 January 1970 UTC.
// The stations keep local standard time, CST, all year: their climate day and the
// guidance's windows do not follow daylight saving time.
inline constexpr long long standard_time_offset = -6 * 60;

// What one station observed on one date, in °F: NaN where it is missing.
struct station_day {
    double max_f;
    double min_f;
};

// A reading of an hourly source: the temperature at its time, or a six-hour maximum or
// minimum of the six hours before it.
enum class reading_kind { now, six_hour_max, six_hour_min };
struct hourly_reading {
    long long minute;
    double value_f;
    reading_kind kind;
};

// The observations read so far. Daily values by date (days since 1 January 1970), each
// date with the four stations in order: a value read later replaces one read before, a
// missing one replaces nothing. Hourly readings by station, in the order read.
struct observations {
    std::map<long long, std::array<station_day, station_count>> days;
    std::vector<hourly_reading> hourly[station_count];
};

// Readings outside these are no observation: a decoding slip, not weather.
inline constexpr double lowest_observation_f = -80;
inline constexpr double highest_observation_f = 140;

// The kinds of warning a run may give many of, each summed up past the first few.
enum class warning_kind {
    out_of_range,
    other_station,
    no_window_value,
    daily_disagrees,
    day_not_over,
    kinds
};

// Warnings as the readers find them: the first kept_warnings of each kind whole, in
// order, the rest only counted, so that a file of a million bad readings costs no
// million lines.
inline constexpr int kept_warnings = 10;
struct warning_list {
    std::vector<fault> kept;
    long long count[static_cast<int>(warning_kind::kinds)] = {};
};

// Counts one warning of kind: true where it is among the first few, whose text the
// caller then adds to kept.
bool count_warning(warning_list& list, warning_kind kind);

// A count as the warnings and the report write it: 399990 as "399,990".
std::string with_thousands(long long n);

// The lines to show: those kept, then for each kind with more, "and 399,990 more readings
// outside -80 to 140 °F".
std::vector<std::string> warning_lines(const warning_list& list);

// Takes value (°F) as station's maximum (or minimum) of day; a value outside the range
// above is left out with a warning naming file and line.
void take_observation(observations& into, long long day, int station, bool maximum, double value,
                      const std::string& file, long long line, warning_list& warnings);

// Takes an hourly reading of station, left out with a warning as take_observation does.
void take_reading(observations& into, int station, const hourly_reading& reading,
                  const std::string& file, long long line, warning_list& warnings);

// Where an observed value comes from: the extreme of hourly readings over the guidance's
// own window, or a daily source's calendar-day extreme.
enum class observed_source { hourly, daily };

// An observed extreme, NaN where there is none, and the window it covers.
struct observed_value {
    double value;
    observed_source source;
    long long from, to;
};

// The low and high each station observed on a date, as the guidance means them: the low
// the lowest reading from 7 PM the evening before to 8 AM, the high the highest from 7 AM
// to 7 PM, local standard time.
struct station_extremes {
    observed_value low, high;
};
struct observed_table {
    std::map<long long, std::array<station_extremes, station_count>> days;
};

// The windows of the low (or high) of date, in minutes UTC, and the calendar day.
void guidance_window(long long date, bool high, long long& from, long long& to);
void calendar_day(long long date, long long& from, long long& to);

// Makes the observed lows and highs. Where a station has hourly readings on a date, they
// count: each window's extreme, the six-hour groups whose six hours lie inside it included;
// a window with more than three hours between readings (its ends included) or not over at
// the station's last reading gives none, with a warning naming station and date. A daily
// value of such a date that differs by more than 1 °F from the readings' own calendar-day
// extreme is named. Elsewhere the daily values count, as calendar-day extremes, except
// those of a day not over at now (minutes UTC). Sorts the readings.
void observe_windows(observations& in, long long now, observed_table& out, warning_list& warnings);

// The observed city value of a date's low (or high): the four stations' values by the
// station weights, those missing left out and the rest scaled to the full weight; its
// source hourly only where every station's is, and its window that of its source. False
// when no station has one.
bool observed_city_value(const observed_table& observed, long long date, bool high,
                         observed_value& city);

// What a file given to verify holds, told by its content so that the files may be given
// in any order: a JSON document (a forecast), the mesonet's CSV (its header line starts
// "station,"), METAR reports as NOAA's cycle files give them (a line "2026/12/08 06:53"
// first), or a CF6 product (it says "WS FORM: F-6", or has the DY MAX MIN header);
// unreadable where the first read of it fails (an input/output error).
enum class verify_input {
    forecast_document,
    mesonet_csv,
    metar_cycle,
    cf6_product,
    unknown,
    unreadable
};

// Whether line is the time line before each report of a cycle file, "2026/12/08 06:53".
bool is_cycle_time(const std::string& line);

// Looks at the start of in (at most its first 64 KiB of lines for a CF6 product) and
// seeks back to where it began.
verify_input recognise_verify_input(std::istream& in);
