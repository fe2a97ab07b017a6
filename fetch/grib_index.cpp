#include "fetch/grib_index.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

bool all_digits(const std::string& s, std::size_t most) {
    if (s.empty() || s.size() > most) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// "12" or "12.1".
bool is_message_number(const std::string& s) {
    const std::size_t dot = s.find('.');
    if (dot == std::string::npos) return all_digits(s, 9);
    return all_digits(s.substr(0, dot), 9) && all_digits(s.substr(dot + 1), 9);
}

std::vector<std::string> split_fields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t colon = line.find(':', start);
        fields.push_back(line.substr(start, colon - start));
        if (colon == std::string::npos) return fields;
        start = colon + 1;
    }
}

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

bool read_grib_index(const std::string& text, std::vector<index_line>& lines, std::string& why) {
    lines.clear();
    std::size_t start = 0;
    for (long long number = 1; start < text.size(); ++number) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        const std::vector<std::string> f = split_fields(line);
        const std::string where = "line " + std::to_string(number) + ": ";
        // An offset of up to 15 digits: a petabyte, far beyond any GRIB file.
        if (f.size() < 6 || !is_message_number(f[0]) || !all_digits(f[1], 15) ||
            f[2].compare(0, 2, "d=") != 0) {
            why = where + "no inventory line N:OFFSET:d=DATE:VAR:LEVEL:FORECAST:";
            return false;
        }
        index_line l;
        l.offset = std::atoll(f[1].c_str());
        if (!lines.empty() && l.offset < lines.back().offset) {
            why = where + "offset " + f[1] + " comes before the line above's";
            return false;
        }
        l.run = f[2].substr(2);
        l.variable = f[3];
        l.level = f[4];
        l.forecast = f[5];
        for (std::size_t i = 6; i < f.size(); ++i) l.qualified = l.qualified || !f[i].empty();
        lines.push_back(l);
    }
    return true;
}

std::vector<byte_range> wanted_ranges(const std::vector<index_line>& lines,
                                      const std::function<bool(const index_line&)>& wanted) {
    std::vector<byte_range> ranges;
    bool extends = false; // whether the message before was wanted
    for (std::size_t i = 0; i < lines.size();) {
        // The lines of one message: those of its offset.
        const long long offset = lines[i].offset;
        bool take = false;
        for (; i < lines.size() && lines[i].offset == offset; ++i) take = take || wanted(lines[i]);
        const long long last = i < lines.size() ? lines[i].offset - 1 : -1;
        if (take && extends) {
            ranges.back().last = last;
            ranges.back().messages.push_back(offset);
        } else if (take) {
            ranges.push_back({offset, last, {offset}});
        }
        extends = take;
    }
    return ranges;
}

std::string range_words(const byte_range& range) {
    return std::to_string(range.first) + "-" +
           (range.last < 0 ? std::string() : std::to_string(range.last));
}

bool check_grib_messages(const std::string& bytes, const byte_range& range, std::string& why) {
    const auto size = static_cast<std::uint64_t>(bytes.size());
    for (std::size_t i = 0; i < range.messages.size(); ++i) {
        const std::uint64_t at = range.messages[i] - range.first;
        const std::uint64_t next =
            i + 1 < range.messages.size() ? range.messages[i + 1] - range.first : size;
        const std::string where = "the message at byte " + std::to_string(range.messages[i]);
        // Section 0: "GRIB", two reserved bytes, the discipline, the edition, and the whole
        // message's length in eight bytes.
        if (next > size || next - at < 16 || bytes.compare(at, 4, "GRIB") != 0) {
            why = where + " does not begin with GRIB";
            return false;
        }
        if (bytes[at + 7] != 2) {
            why = where + " is of GRIB edition " +
                  std::to_string(static_cast<unsigned char>(bytes[at + 7])) + ", not 2";
            return false;
        }
        std::uint64_t length = 0;
        for (int k = 8; k < 16; ++k)
            length = length << 8 | static_cast<unsigned char>(bytes[at + k]);
        if (length != next - at || bytes.compare(at + length - 4, 4, "7777") != 0) {
            why = where + " does not end with 7777 at its length of " + std::to_string(length) +
                  " bytes (" + std::to_string(next - at) + " came)";
            return false;
        }
    }
    return true;
}

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
