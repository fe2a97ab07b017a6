#include "verify/observations.h"

#include "arith/station_sums.h"
#include "calendar/iso_date.h"
#include "calendar/utc_time.h"
#include "diagnostics/diagnostics.h"
#include "reading/text_lines.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <istream>
#include <limits>
#include <set>
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

place_location city_location() {
    place_location city{0, 0, 0};
    double weights = 0;
    for (int s = 0; s < station_count; ++s) {
        city.latitude += station_weights[s] * station_locations[s].latitude;
        city.longitude += station_weights[s] * station_locations[s].longitude;
        city.altitude += station_weights[s] * station_locations[s].altitude;
        weights += station_weights[s];
    }
    return {city.latitude / weights, city.longitude / weights, city.altitude / weights};
}

static const double missing = std::numeric_limits<double>::quiet_NaN();

// A value as the file most likely wrote it: "150", "-95.5".
static std::string written(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

bool count_warning(warning_list& list, warning_kind kind) {
    return ++list.count[static_cast<int>(kind)] <= kept_warnings;
}

std::string with_thousands(long long n) {
    std::string digits = std::to_string(n);
    for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
    return digits;
}

std::vector<std::string> warning_lines(const warning_list& list) {
    static const char* const rest[] = {"more readings outside ",
                                       "more products of other stations passed over",
                                       "more windows without an observed value",
                                       "more daily values that differ from the hourly readings",
                                       "more daily values of days not over"};
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

// The warning of a value outside the range observations can have.
static fault outside(int station, const std::string& when, const char* what, double value,
                     const std::string& file, long long line) {
    return fault{fault_kind::refused_input,
                 std::string(station_ids[station]) + " " + when + ": " + what + written(value) +
                     " °F is outside " + written(lowest_observation_f) + " to " +
                     written(highest_observation_f) + " °F, left out",
                 file, line};
}

static bool in_range(double value) {
    return value >= lowest_observation_f && value <= highest_observation_f;
}

void take_observation(observations& into, long long day, int station, bool maximum, double value,
                      const std::string& file, long long line, warning_list& warnings) {
    if (station < 0 || station >= station_count || std::isnan(value)) return;
    if (!in_range(value)) {
        if (count_warning(warnings, warning_kind::out_of_range))
            warnings.kept.push_back(outside(station, iso_day(day),
                                            maximum ? "maximum " : "minimum ", value, file, line));
        return;
    }
    auto entry = into.days.find(day);
    if (entry == into.days.end()) {
        std::array<station_day, station_count> none;
        none.fill(station_day{missing, missing});
        entry = into.days.emplace(day, none).first;
    }
    station_day& taken = entry->second[static_cast<std::size_t>(station)];
    (maximum ? taken.max_f : taken.min_f) = value;
}

// The date in local standard time of a time in minutes UTC, and the minutes since its
// midnight.
static long long local_date(long long minute, long long& of_day) {
    const long long local = minute + standard_time_offset;
    const long long day = local >= 0 ? local / 1440 : -((-local + 1439) / 1440);
    of_day = local - day * 1440;
    return day;
}

// A time in minutes UTC as local standard time, "2026-12-08 19:53", or its clock alone.
static std::string local_time(long long minute, bool with_date) {
    long long of_day = 0;
    const long long day = local_date(minute, of_day);
    char clock[48];
    std::snprintf(clock, sizeof clock, "%02lld:%02lld", of_day / 60, of_day % 60);
    return (with_date ? iso_day(day) + " " : std::string()) + clock;
}

void take_reading(observations& into, int station, const hourly_reading& reading,
                  const std::string& file, long long line, warning_list& warnings) {
    if (station < 0 || station >= station_count || std::isnan(reading.value_f)) return;
    if (!in_range(reading.value_f)) {
        static const char* const what[] = {"reading ", "six-hour maximum ", "six-hour minimum "};
        if (count_warning(warnings, warning_kind::out_of_range))
            warnings.kept.push_back(outside(station, local_time(reading.minute, true) + " CST",
                                            what[static_cast<int>(reading.kind)], reading.value_f,
                                            file, line));
        return;
    }
    into.hourly[station].push_back(reading);
}

// Local midnight of date, in minutes UTC.
static long long local_midnight(long long date) {
    return date * 1440 - standard_time_offset;
}

void guidance_window(long long date, bool high, long long& from, long long& to) {
    const long long midnight = local_midnight(date);
    from = high ? midnight + 7 * 60 : midnight - 5 * 60;
    to = high ? midnight + 19 * 60 : midnight + 8 * 60;
}

void calendar_day(long long date, long long& from, long long& to) {
    from = local_midnight(date);
    to = from + 1440;
}

namespace {

// More than this between readings, and a window's extreme may lie in the gap.
const long long longest_gap = 3 * 60;

// The extreme of a station's readings (sorted) over a window, or why there is none.
struct window_extreme {
    bool found = false;
    double value = missing;
    bool not_over = false;
    long long gap_from = 0, gap_to = 0;
};

window_extreme extreme_over(const std::vector<hourly_reading>& readings, long long last,
                            long long from, long long to, bool high) {
    window_extreme e;
    if (last < to) {
        e.not_over = true;
        return e;
    }
    const reading_kind group = high ? reading_kind::six_hour_max : reading_kind::six_hour_min;
    auto at = std::lower_bound(
        readings.begin(), readings.end(), from,
        [](const hourly_reading& r, long long minute) { return r.minute < minute; });
    long long previous = from;
    bool any = false;
    double extreme = 0;
    auto take = [&](double v) {
        if (!any || (high ? v > extreme : v < extreme)) extreme = v;
        any = true;
    };
    // A six-hour group is sent with the report nearest its synoptic hour, up to half an
    // hour either side.
    for (; at != readings.end() && at->minute <= to + 30; ++at) {
        if (at->kind == reading_kind::now) {
            if (at->minute > to) continue;
            if (at->minute - previous > longest_gap) {
                e.gap_from = previous;
                e.gap_to = at->minute;
                return e;
            }
            previous = at->minute;
            take(at->value_f);
        } else if (at->kind == group) {
            const long long ends = (at->minute + 30) / 60 * 60;
            if (ends - 6 * 60 >= from && ends <= to) take(at->value_f);
        }
    }
    if (to - previous > longest_gap) {
        e.gap_from = previous;
        e.gap_to = to;
        return e;
    }
    e.found = any;
    e.value = extreme;
    return e;
}

station_extremes no_extremes() {
    return {{missing, observed_source::daily, 0, 0}, {missing, observed_source::daily, 0, 0}};
}

std::array<station_extremes, station_count>& table_day(observed_table& out, long long date) {
    auto entry = out.days.find(date);
    if (entry == out.days.end()) {
        std::array<station_extremes, station_count> none;
        none.fill(no_extremes());
        entry = out.days.emplace(date, none).first;
    }
    return entry->second;
}

void warn(warning_list& warnings, warning_kind kind, const std::string& what) {
    if (count_warning(warnings, kind))
        warnings.kept.push_back(fault{fault_kind::refused_input, what, ""});
}

std::string tenths(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

// The hourly low or high of station on date, or a warning why there is none.
observed_value hourly_extreme(const std::vector<hourly_reading>& readings, long long last,
                              int station, long long date, bool high, warning_list& warnings) {
    observed_value v{missing, observed_source::hourly, 0, 0};
    guidance_window(date, high, v.from, v.to);
    const window_extreme e = extreme_over(readings, last, v.from, v.to, high);
    if (e.found) {
        v.value = e.value;
        return v;
    }
    std::string what = std::string(station_ids[station]) + " " + iso_day(date) + ": no observed " +
                       (high ? "high" : "low") + ": ";
    if (e.not_over)
        what += std::string("its window (") + (high ? "7 AM to 7 PM" : "7 PM to 8 AM") +
                " CST) is not over at the last reading";
    else
        what += tenths(static_cast<double>(e.gap_to - e.gap_from) / 60) +
                " hours without a reading, " + local_time(e.gap_from, false) + " to " +
                local_time(e.gap_to, false) + " CST";
    warn(warnings, warning_kind::no_window_value, what);
    return v;
}

// Names a daily value that the hourly readings' own calendar-day extreme contradicts.
void compare_daily(const std::vector<hourly_reading>& readings, long long last, int station,
                   long long date, bool high, double daily, warning_list& warnings) {
    if (std::isnan(daily)) return;
    long long from = 0, to = 0;
    calendar_day(date, from, to);
    const window_extreme e = extreme_over(readings, last, from, to, high);
    if (!e.found || std::fabs(e.value - daily) <= 1) return;
    warn(warnings, warning_kind::daily_disagrees,
         std::string(station_ids[station]) + " " + iso_day(date) + ": the daily " +
             (high ? "maximum " : "minimum ") + written(daily) + " °F differs by more than 1 °F " +
             "from the hourly readings' " + tenths(e.value) +
             " °F (midnight to midnight CST); the hourly readings count");
}

} // namespace

void observe_windows(observations& in, long long now, observed_table& out, warning_list& warnings) {
    out = observed_table{};
    std::set<long long> hourly_dates[station_count];
    for (int s = 0; s < station_count; ++s) {
        std::vector<hourly_reading>& readings = in.hourly[s];
        std::stable_sort(
            readings.begin(), readings.end(),
            [](const hourly_reading& a, const hourly_reading& b) { return a.minute < b.minute; });
        long long last = 0;
        bool any = false;
        for (const hourly_reading& r : readings) {
            if (r.kind != reading_kind::now) continue;
            // A reading serves the date it falls on, and after 7 PM the next date's low.
            long long of_day = 0;
            const long long date = local_date(r.minute, of_day);
            hourly_dates[s].insert(date);
            if (of_day >= 19 * 60) hourly_dates[s].insert(date + 1);
            last = r.minute;
            any = true;
        }
        if (!any) continue;
        for (long long date : hourly_dates[s]) {
            station_extremes& e = table_day(out, date)[static_cast<std::size_t>(s)];
            e.low = hourly_extreme(readings, last, s, date, false, warnings);
            e.high = hourly_extreme(readings, last, s, date, true, warnings);
            auto daily = in.days.find(date);
            if (daily == in.days.end()) continue;
            compare_daily(readings, last, s, date, false, daily->second[s].min_f, warnings);
            compare_daily(readings, last, s, date, true, daily->second[s].max_f, warnings);
        }
    }
    for (const auto& entry : in.days) {
        const long long date = entry.first;
        long long from = 0, to = 0;
        calendar_day(date, from, to);
        for (int s = 0; s < station_count; ++s) {
            const station_day& d = entry.second[s];
            if (hourly_dates[s].count(date) || (std::isnan(d.max_f) && std::isnan(d.min_f)))
                continue;
            if (to > now) {
                warn(warnings, warning_kind::day_not_over,
                     std::string(station_ids[s]) + " " + iso_day(date) +
                         ": the day is not over; its daily values are left out");
                continue;
            }
            station_extremes& e = table_day(out, date)[static_cast<std::size_t>(s)];
            e.low = {d.min_f, observed_source::daily, from, to};
            e.high = {d.max_f, observed_source::daily, from, to};
        }
    }
}

bool observed_city_value(const observed_table& observed, long long date, bool high,
                         observed_value& city) {
    auto found = observed.days.find(date);
    if (found == observed.days.end()) return false;
    double set[station_count];
    bool present[station_count];
    bool hourly = true;
    for (int s = 0; s < station_count; ++s) {
        const observed_value& v = high ? found->second[s].high : found->second[s].low;
        set[s] = v.value;
        present[s] = !std::isnan(set[s]);
        if (!present[s])
            set[s] = 0;
        else if (v.source != observed_source::hourly)
            hourly = false;
    }
    double value = 0;
    if (!present_station_sum(set, present, value)) return false;
    city.value = value;
    city.source = hourly ? observed_source::hourly : observed_source::daily;
    if (hourly)
        guidance_window(date, high, city.from, city.to);
    else
        calendar_day(date, city.from, city.to);
    return true;
}

bool is_cycle_time(const std::string& line) {
    const char* shape = "9999/99/99 99:99";
    std::size_t size = line.size();
    while (size > 0 && (line[size - 1] == '\r' || line[size - 1] == ' ')) --size;
    if (size != std::strlen(shape)) return false;
    for (std::size_t i = 0; i < size; ++i)
        if (shape[i] == '9' ? !(line[i] >= '0' && line[i] <= '9') : line[i] != shape[i])
            return false;
    return true;
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
    std::size_t at = head.compare(0, 3, byte_order_mark) == 0 ? 3 : 0;
    while (at < head.size() &&
           (head[at] == ' ' || head[at] == '\t' || head[at] == '\r' || head[at] == '\n'))
        ++at;
    if (at < head.size() && head[at] == '{') return verify_input::forecast_document;
    if (in_capitals(head.substr(at, 8)) == "STATION,") return verify_input::mesonet_csv;
    if (is_cycle_time(head.substr(at, head.find('\n', at) - at))) return verify_input::metar_cycle;
    if (head.find("WS FORM: F-6") != std::string::npos ||
        head.find("DY MAX MIN") != std::string::npos)
        return verify_input::cf6_product;
    return verify_input::unknown;
}
