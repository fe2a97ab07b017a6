#include "verify/observations.h"

#include "calendar/iso_date.h"

#include <cmath>
#include <limits>
#include <sstream>

// A value as the file most likely wrote it: "150", "-95.5".
static std::string written(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

void take_observation(observed_days& into, long long day, int station, bool maximum, double value,
                      const std::string& file, long long line, std::vector<fault>& warnings) {
    if (station < 0 || station >= station_count || std::isnan(value)) return;
    if (!(value >= lowest_observation_f && value <= highest_observation_f)) {
        fault warning;
        warning.kind = fault_kind::refused_input;
        warning.what = std::string(station_ids[station]) + " " + iso_day(day) + ": " +
                       (maximum ? "maximum " : "minimum ") + written(value) + " °F is outside " +
                       written(lowest_observation_f) + " to " + written(highest_observation_f) +
                       " °F, left out";
        warning.file = file;
        warning.line = line;
        warnings.push_back(warning);
        return;
    }
    auto entry = into.days.find(day);
    if (entry == into.days.end()) {
        const double missing = std::numeric_limits<double>::quiet_NaN();
        std::array<station_day, station_count> none;
        none.fill(station_day{missing, missing});
        entry = into.days.emplace(day, none).first;
    }
    station_day& taken = entry->second[static_cast<std::size_t>(station)];
    (maximum ? taken.max_f : taken.min_f) = value;
}
