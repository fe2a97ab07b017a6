#pragma once

#include "arith/stations.h"
#include "calendar/utc_time.h"
#include "pointforecast/city_forecast.h"
#include "pointforecast/load_bulletin_file.h"

#include <string>
#include <vector>

// The forecast as a forecaster issues it: the bulletins' own 12-hour windows (a night 00 to
// 12 UTC, a day 12 to 24 UTC) as periods of the city's clock, each value rounded, with the
// station values it rests on and flags where the guidance disagrees with itself or with
// reason. A flag never changes a number: the forecaster decides.

// The elements of a period that carry a number, its evidence and its flags.
enum period_element { temperature_element, dew_point_element, pop_element };
inline constexpr int period_element_count = 3;

// Where a period's value comes from: both short-range guidances weighted, one of them alone
// (today's high and probability are the NBS's alone; a value one guidance has at no
// station is the other's), or the extended guidance (days 3 to 7).
enum class period_source { blend, first, second, extended };

// One guidance's part in a value: its station values as the bulletins give them, which of
// them the bulletin marks missing, and its city value (NaN where no station has one).
struct guidance_evidence {
    bool given = false;   // the guidance gives this value at all
    std::string guidance; // as the evidence names it: "NBM", "GFS MOS", "GFSX MOS"
    station_set values{};
    station_presence present{};
    double city = 0;
};

// One value of a period: the city value the report holds, rounded half away from zero,
// and the guidances behind it (first: the first short-range guidance, or the extended one
// on days 3 to 7; second: the second short-range guidance).
struct period_value {
    bool exists = false; // false where the period has no such value
    double unrounded = 0;
    long long value = 0;
    period_source source = period_source::blend;
    guidance_evidence first, second;
};

enum class flag_kind {
    guidances_differ,
    station_outlier,
    dew_point_above_temperature,
    implausible
};

// One flag: what it is, the value it concerns and one line of plain text that names the
// period and the numbers ("Thursday high: NBM 45.1 F and GFS MOS 30.9 F differ by 14.2 F").
struct period_flag {
    flag_kind kind;
    period_element element;
    std::string text;
};

// When a value is flagged: the two guidances' city values this far apart (degrees F for
// temperatures and dew points, percentage points for probabilities), a station this far
// from the median of its guidance's stations, a temperature or dew point outside lowest to
// highest.
struct flag_limits {
    double temperature_difference = 6;
    double pop_difference = 30;
    double station_outlier = 15;
    double lowest = -60, highest = 120;
};

// The wind of a period: the highest city speed of its short-range hours and the city
// direction of that hour.
struct period_wind {
    bool exists = false; // false beyond the short range
    long long speed_mph = 0;
    int point = -1; // of the 16 compass points, 0 north, clockwise; -1 when calm
};

struct forecast_period {
    std::string name;       // "Today", "Tonight", "Thursday", "Thursday Night"
    std::string short_name; // "Today", "Tonight", "Thu", "Thu Night"
    bool night = false;
    int day = 0;         // of the day table, 1 to 7; 0 for today, before day 1
    utc_time start, end; // UTC
    // The low of a night or the high of a day; the dew point at the period's end (12 UTC,
    // or 00 UTC at a day's end); the probability of precipitation over pop_hours.
    period_value values[period_element_count];
    int pop_hours = 0;         // 12, or 24 on days 3 to 7, whose nights have none
    const char* sky = nullptr; // the sky's words; null beyond the short range
    period_wind wind;
    std::vector<period_flag> flags;
};

// The periods of a dated 1200 run in order: Today where the NBS gives today's high, then
// Tonight and the named days and nights to day 7's (day 2's for the short-range guidance
// alone), each named by the weekday of the local date on which it starts. Flags go by
// limits.
std::vector<forecast_period> forecast_periods(const loaded_bulletins& loaded,
                                              const city_forecast& forecast,
                                              const flag_limits& limits);

// The index of the period a time belongs to, the one whose start is before it and whose
// end is at or after it; -1 for none.
int period_at(const std::vector<forecast_period>& periods, const utc_time& time);

// value as a whole number, half away from zero (20.5 is 21, -20.5 is -21).
long long rounded_value(double value);

// The NWS words for a mean covered fraction of the sky: below 0.125 sunny (clear by night),
// below 0.375 mostly sunny (mostly clear), below 0.625 partly cloudy, below 0.875 mostly
// cloudy, else cloudy.
const char* sky_words(double fraction, bool night);

// The compass point (0 north to 15 north-northwest) of a direction in tens of degrees, and
// its name ("N", "NNE", ...).
int compass_point(double tens_of_degrees);
const char* compass_point_name(int point);

// The names the documents give: "guidances_differ", ...; "temperature", "dew_point", "pop".
const char* flag_kind_key(flag_kind kind);
const char* period_element_key(period_element element);

// How the evidence names a guidance group of the bulletin file (0 first short-range, 1
// second, 2 extended): its model words with "MOS" after a MOS model, "NBM" alone for the
// NBS, the distinct ones of its four bulletins joined by "/".
std::string guidance_label(const bulletin_layout& layout, int group);
