#include "fetch/grib_index.h"

#include <cstdlib>

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
