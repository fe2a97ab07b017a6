#include "verify/observations.h"

#include "arith/station_sums.h"
#include "calendar/iso_date.h"
#include "calendar/utc_time.h"
#include "diagnostics/diagnostics.h"

#include <cmath>
#include <istream>
#include <limits>
#include <sstream>

int station_index(const std::string& id) {
    std::string word = in_capitals(id);
    // The Mesonet and the CF6 identifiers leave out the K of the contiguous states.
    if (word.size() == 3) word = "K" + word;
    for (int s = 0; s < station_count; ++s)
        if (word == station_ids[s]) return s;
    return -1;
}

std::string station_list() {
    std::string known;
    for (int s = 0; s < station_count; ++s) known += std::string(s ? ", " : "") + station_ids[s];
    return known;
}

// A value as the file most likely wrote it: "150", "-95.5".
static std::string written(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

bool count_warning(warning_list& list, warning_kind kind) {
    return ++list.count[static_cast<int>(kind)] <= kept_warnings;
}

// 399990 as "399,990".
static std::string with_thousands(long long n) {
    std::string digits = std::to_string(n);
    for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
    return digits;
}

std::vector<std::string> warning_lines(const warning_list& list) {
    static const char* const rest[] = {"more readings outside ", "more products of other "
                                                                 "stations passed over"};
    std::vector<std::string> lines;
    for (const fault& warning : list.kept) lines.push_back(fault_line(warning));
    for (int k = 0; k < static_cast<int>(warning_kind::kinds); ++k) {
        const long long more = list.count[k] - kept_warnings;
        if (more <= 0) continue;
        std::string line = "and " + with_thousands(more) + " " + rest[k];
        if (k == static_cast<int>(warning_kind::out_of_range))
            line += written(lowest_observation_f) + " to " + written(highest_observation_f) + " °F";
        lines.push_back(line);
    }
    return lines;
}

void take_observation(observed_days& into, long long day, int station, bool maximum, double value,
                      const std::string& file, long long line, warning_list& warnings) {
    if (station < 0 || station >= station_count || std::isnan(value)) return;
    if (!(value >= lowest_observation_f && value <= highest_observation_f)) {
        if (count_warning(warnings, warning_kind::out_of_range))
            warnings.kept.push_back(fault{fault_kind::refused_input,
                                          std::string(station_ids[station]) + " " + iso_day(day) +
                                              ": " + (maximum ? "maximum " : "minimum ") +
                                              written(value) + " °F is outside " +
                                              written(lowest_observation_f) + " to " +
                                              written(highest_observation_f) + " °F, left out",
                                          file, line});
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

bool observed_city_value(const observed_days& observed, long long day, bool maximum,
                         double& value) {
    auto found = observed.days.find(day);
    if (found == observed.days.end()) return false;
    double set[station_count];
    bool present[station_count];
    for (int s = 0; s < station_count; ++s) {
        set[s] = maximum ? found->second[s].max_f : found->second[s].min_f;
        present[s] = !std::isnan(set[s]);
        if (!present[s]) set[s] = 0;
    }
    return present_station_sum(set, present, value);
}

// How far into a file to look for a CF6 product's marks: past any heading lines.
static const std::streamsize looked_at = 64 * 1024;

verify_input recognise_verify_input(std::istream& in) {
    const std::istream::pos_type start = in.tellg();
    std::string head(static_cast<std::size_t>(looked_at), '\0');
    in.read(&head[0], looked_at);
    head.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) return verify_input::unreadable;
    in.clear();
    in.seekg(start);
    std::size_t at = head.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (at < head.size() &&
           (head[at] == ' ' || head[at] == '\t' || head[at] == '\r' || head[at] == '\n'))
        ++at;
    if (at < head.size() && head[at] == '{') return verify_input::forecast_document;
    if (in_capitals(head.substr(at, 8)) == "STATION,") return verify_input::mesonet_csv;
    if (head.find("WS FORM: F-6") != std::string::npos ||
        head.find("DY MAX MIN") != std::string::npos)
        return verify_input::cf6_product;
    return verify_input::unknown;
}
