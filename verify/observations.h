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

// What one station observed on one date, in °F: NaN where it is missing.
struct station_day {
    double max_f;
    double min_f;
};

// The observations read so far, by date (days since 1 January 1970), each date with the
// four stations in order. A value read later replaces one read before; a missing one
// replaces nothing.
struct observed_days {
    std::map<long long, std::array<station_day, station_count>> days;
};

// Readings outside these are no observation: a decoding slip, not weather.
inline constexpr double lowest_observation_f = -80;
inline constexpr double highest_observation_f = 140;

// The kinds of warning a run may give many of, each summed up past the first few.
enum class warning_kind { out_of_range, other_station, kinds };

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

// The lines to show: those kept, then for each kind with more, "and 399,990 more readings
// outside -80 to 140 °F".
std::vector<std::string> warning_lines(const warning_list& list);

// Takes value (°F) as station's maximum (or minimum) of day; a value outside the range
// above is left out with a warning naming file and line.
void take_observation(observed_days& into, long long day, int station, bool maximum, double value,
                      const std::string& file, long long line, warning_list& warnings);

// The observed city value of a day: the four stations' maximum (or minimum) by the
// station weights, those missing left out and the rest scaled to the full weight; false
// when no station has one.
bool observed_city_value(const observed_days& observed, long long day, bool maximum, double& value);

// What a file given to verify holds, told by its content so that the files may be given
// in any order: a JSON document (a forecast), the mesonet's CSV (its header line starts
// "station,"), or a CF6 product (it says "WS FORM: F-6", or has the DY MAX MIN header).
// unreadable where the first read of it fails (an input/output error).
enum class verify_input { forecast_document, mesonet_csv, cf6_product, unknown, unreadable };

// Looks at the start of in (at most its first 64 KiB of lines for a CF6 product) and
// seeks back to where it began.
verify_input recognise_verify_input(std::istream& in);
