#include "fetch/gfs_point_messages.h"

#include <cstdlib>
#include <cstring>

namespace {

enum class statistic { instant, accumulation, average, other };

// What wgrib2 writes of a message's time: "6 hour fcst", "0-6 hour acc fcst",
// "18-24 hour ave fcst"; a range in whole days in days ("0-1 day acc fcst").
struct forecast_time {
    statistic kind = statistic::other;
    long start = -1, end = -1; // hours
};

forecast_time read_forecast(const std::string& text) {
    forecast_time t;
    const char* p = text.c_str();
    char* after = nullptr;
    if (*p < '0' || *p > '9') return t;
    long start = std::strtol(p, &after, 10), end = start;
    if (*after == '-') {
        p = after + 1;
        if (*p < '0' || *p > '9') return t;
        end = std::strtol(p, &after, 10);
    }
    long unit = 0;
    if (std::strncmp(after, " hour ", 6) == 0) {
        unit = 1;
        after += 6;
    } else if (std::strncmp(after, " day ", 5) == 0) {
        unit = 24;
        after += 5;
    } else {
        return t;
    }
    const std::string rest = after;
    if (rest == "fcst" && start == end)
        t.kind = statistic::instant;
    else if (rest == "acc fcst" && start < end)
        t.kind = statistic::accumulation;
    else if (rest == "ave fcst" && start < end)
        t.kind = statistic::average;
    else
        return t;
    t.start = start * unit;
    t.end = end * unit;
    return t;
}

// The instantaneous fields, in wgrib2's words.
const char* const instants[][2] = {
    {"PRMSL", "mean sea level"},
    {"TMP", "2 m above ground"},
    {"TMP", "850 mb"},
    {"TMP", "700 mb"},
    {"TMP", "500 mb"},
    {"HGT", "500 mb"},
    {"HGT", "1000 mb"},
    {"RH", "2 m above ground"},
    {"UGRD", "10 m above ground"},
    {"VGRD", "10 m above ground"},
};

bool is_precipitation(const index_line& l, const forecast_time& t) {
    return l.variable == "APCP" && l.level == "surface" && t.kind == statistic::accumulation &&
           (t.start == t.end - 6 || t.start == 0);
}

bool is_cloud(const index_line& l, const forecast_time& t) {
    return l.variable == "TCDC" && l.level == "entire atmosphere" && t.kind == statistic::average &&
           t.start == t.end - 6;
}

} // namespace

bool gfs_point_reads(const index_line& line, int hour) {
    if (line.qualified) return false;
    const forecast_time t = read_forecast(line.forecast);
    if (t.end != hour) return false;
    if (t.kind == statistic::instant) {
        for (const auto& field : instants)
            if (line.variable == field[0] && line.level == field[1]) return true;
        return false;
    }
    return is_precipitation(line, t) || is_cloud(line, t);
}

std::string missing_gfs_point_fields(const std::vector<index_line>& lines, int hour) {
    std::string missing;
    const auto note = [&missing](const std::string& what) {
        missing += (missing.empty() ? "" : ", ") + what;
    };
    const auto has = [&lines, hour](const char* variable, const char* level, statistic kind) {
        for (const index_line& l : lines) {
            if (l.variable != variable || l.level != level || !gfs_point_reads(l, hour)) continue;
            if (read_forecast(l.forecast).kind == kind) return true;
        }
        return false;
    };
    for (const auto& field : instants)
        if (!has(field[0], field[1], statistic::instant))
            note(std::string(field[0]) + " " + field[1]);
    if (!has("APCP", "surface", statistic::accumulation)) note("APCP surface");
    if (!has("TCDC", "entire atmosphere", statistic::average)) note("TCDC entire atmosphere");
    return missing;
}
