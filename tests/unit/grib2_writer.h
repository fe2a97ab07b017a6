#pragma once

// A small GRIB2 writer for the tests: a message put together section by section, each a
// byte string that a test may change before the message is assembled, so that damaged and
// lying messages are made as deliberately as sound ones.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace grib2 {

// n bytes of value, most significant first.
inline std::string bytes(std::uint64_t value, int n) {
    std::string text(static_cast<std::size_t>(n), '\0');
    for (int i = n - 1; i >= 0; --i, value >>= 8)
        text[static_cast<std::size_t>(i)] = static_cast<char>(value & 0xff);
    return text;
}

// A signed number as GRIB2 writes one: its sign in the first bit.
inline std::string signed_bytes(long long value, int n) {
    const std::uint64_t sign = value < 0 ? std::uint64_t{1} << (8 * n - 1) : 0;
    return bytes(static_cast<std::uint64_t>(value < 0 ? -value : value) | sign, n);
}

inline std::string float_bytes(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bytes(bits, 4);
}

// Numbers of width bits each, packed from the first bit and padded to a whole byte.
inline std::string packed(const std::vector<std::uint64_t>& numbers, int width) {
    std::string text((numbers.size() * static_cast<std::size_t>(width) + 7) / 8, '\0');
    std::size_t bit = 0;
    for (std::uint64_t n : numbers)
        for (int b = width - 1; b >= 0; --b, ++bit)
            if ((n >> b) & 1)
                text[bit / 8] = static_cast<char>(text[bit / 8] | (0x80 >> (bit % 8)));
    return text;
}

// A section: its length, its number, its body.
inline std::string section(int number, const std::string& body) {
    return bytes(body.size() + 5, 4) + static_cast<char>(number) + body;
}

// The whole message: section 0 with the length of all, the sections, "7777".
inline std::string message(const std::vector<std::string>& sections, int edition = 2) {
    std::string body;
    for (const std::string& s : sections) body += s;
    return "GRIB" + std::string(2, '\0') + '\0' + static_cast<char>(edition) +
           bytes(16 + body.size() + 4, 8) + body + "7777";
}

// Section 1: NCEP's run of the date (yyyymmdd) and hour, a forecast.
inline std::string identification(long date, long hour, long minute = 0) {
    return section(1, bytes(7, 2) + bytes(0, 2) + '\2' + '\1' + '\1' + bytes(date / 10000, 2) +
                          static_cast<char>(date / 100 % 100) + static_cast<char>(date % 100) +
                          static_cast<char>(hour) + static_cast<char>(minute) + '\0' + '\0' + '\1');
}

// Section 3: a regular latitude/longitude grid of ni by nj points from the first to the
// last point, rows from north to south; points is what it says it holds.
inline std::string lat_lon_grid(long ni, long nj, double lat1, double lon1, double lat2,
                                double lon2, double di, double dj, long long points = -1) {
    const auto micro = [](double degrees) { return std::llround(degrees * 1e6); };
    return section(3, std::string(1, '\0') +
                          bytes(static_cast<std::uint64_t>(points < 0 ? ni * nj : points), 4) +
                          '\0' + '\0' + bytes(0, 2) + '\6' + std::string(15, '\0') + bytes(ni, 4) +
                          bytes(nj, 4) + bytes(0, 4) + bytes(0xffffffff, 4) +
                          signed_bytes(micro(lat1), 4) + signed_bytes(micro(lon1), 4) + '\x30' +
                          signed_bytes(micro(lat2), 4) + signed_bytes(micro(lon2), 4) +
                          bytes(micro(di), 4) + bytes(micro(dj), 4) + '\0');
}

// Section 4: parameter category and number of discipline 0 on a surface (code table 4.5)
// at level, at the forecast hour; with a statistical process (code table 4.10), over the
// length hours that end at it.
inline std::string product(long category, long number, long surface, long level, long hour,
                           long statistics = -1, long length = 0, long date = 20261209,
                           long run_hour = 12) {
    const long start = statistics < 0 ? hour : hour - length;
    std::string body = bytes(0, 2) + bytes(statistics < 0 ? 0 : 8, 2) +
                       static_cast<char>(category) + static_cast<char>(number) + '\2' + '\0' +
                       '\x60' + bytes(0, 2) + '\0' + '\1' + bytes(start, 4) +
                       static_cast<char>(surface) + '\0' + bytes(level, 4) + '\xff' + '\xff' +
                       bytes(0xffffffff, 4);
    if (statistics >= 0) {
        // The end of the period, from the run's date: hours within a month suffice here.
        const long end = run_hour + hour;
        body += bytes(date / 10000, 2) + static_cast<char>(date / 100 % 100) +
                static_cast<char>(date % 100 + end / 24) + static_cast<char>(end % 24) + '\0' +
                '\0' + '\1' + bytes(0, 4) + static_cast<char>(statistics) + '\2' + '\1' +
                bytes(length, 4) + '\xff' + bytes(0, 4);
    }
    return section(4, body);
}

// The values as whole hundredths above the least of them.
struct scaled_values {
    float reference;
    std::vector<std::uint64_t> numbers;
};
inline scaled_values hundredths(const std::vector<double>& values) {
    double least = values.empty() ? 0 : values[0];
    for (double v : values) least = std::fmin(least, v);
    scaled_values s{static_cast<float>(std::floor(least * 100)), {}};
    for (double v : values)
        s.numbers.push_back(static_cast<std::uint64_t>(std::llround(v * 100 - s.reference)));
    return s;
}

// Sections 5, 6 and 7 of simple packing (template 5.0) in hundredths, 24 bits a value; the
// values are those the bitmap, when given, marks present. count is what section 5 says
// the data hold.
inline std::vector<std::string> simple_data(const std::vector<double>& values,
                                            const std::vector<bool>& bitmap = {},
                                            long long count = -1) {
    const scaled_values s = hundredths(values);
    std::string bitmap_section = section(6, "\xff");
    if (!bitmap.empty()) {
        std::vector<std::uint64_t> bits(bitmap.begin(), bitmap.end());
        bitmap_section = section(6, std::string(1, '\0') + packed(bits, 1));
    }
    return {section(5, bytes(static_cast<std::uint64_t>(
                                 count < 0 ? static_cast<long long>(values.size()) : count),
                             4) +
                           bytes(0, 2) + float_bytes(s.reference) + bytes(0, 2) +
                           signed_bytes(2, 2) + '\x18' + '\0'),
            bitmap_section, section(7, packed(s.numbers, 24))};
}

// Sections 5, 6 and 7 of complex packing (template 5.2) with missing values kept in the
// data: a group of one value for each point, 24 bits wide, all ones where missing[i].
inline std::vector<std::string> complex_data(const std::vector<double>& values,
                                             const std::vector<bool>& missing) {
    const scaled_values s = hundredths(values);
    std::vector<std::uint64_t> references = s.numbers;
    for (std::size_t i = 0; i < missing.size(); ++i)
        if (missing[i]) references[i] = 0xffffff;
    const std::uint64_t n = values.size();
    return {section(5, bytes(n, 4) + bytes(2, 2) + float_bytes(s.reference) + bytes(0, 2) +
                           signed_bytes(2, 2) + '\x18' + '\0' + '\1' + '\1' + bytes(0, 4) +
                           bytes(0, 4) + bytes(n, 4) + '\0' + '\0' + bytes(1, 4) + '\1' +
                           bytes(1, 4) + '\0'),
            section(6, "\xff"), section(7, packed(references, 24))};
}

// Sections 5, 6 and 7 of IEEE packing (template 5.4) in 32 bits a value.
inline std::vector<std::string> ieee_data(const std::vector<double>& values) {
    std::string data;
    for (double v : values) data += float_bytes(static_cast<float>(v));
    return {section(5, bytes(values.size(), 4) + bytes(4, 2) + '\1'), section(6, "\xff"),
            section(7, data)};
}

// The section with its length said to be length.
inline std::string with_length(std::string section, std::uint64_t length) {
    return bytes(length, 4) + section.substr(4);
}

// The grid of the tests: 46 N to 42 N, 100 W to 95 W every 0.25 degrees, 21 by 17 points;
// the city's nearest point is row 8, column 11.
inline constexpr long test_ni = 21, test_nj = 17, test_point = 8 * test_ni + 11;
inline std::string test_grid() {
    return lat_lon_grid(test_ni, test_nj, 46, 260, 42, 265, 0.25, 0.25);
}

// A field of the model file: its parameter, surface (code table 4.5) and level in the
// surface's unit, statistical process and period, and a value in the message's units.
struct field {
    long category, number, surface, level, statistics, length;
    double value;
};

// The twelve fields GFS gives every 6 hours, with plausible values.
inline std::vector<field> gfs_fields() {
    return {{3, 1, 101, 0, -1, 0, 101325},   {0, 0, 103, 2, -1, 0, 271.15},
            {0, 0, 100, 85000, -1, 0, 265},  {0, 0, 100, 70000, -1, 0, 258},
            {0, 0, 100, 50000, -1, 0, 245},  {3, 5, 100, 50000, -1, 0, 5600},
            {3, 5, 100, 100000, -1, 0, 120}, {1, 1, 103, 2, -1, 0, 70},
            {1, 8, 1, 0, 1, 6, 1.5},         {6, 1, 10, 0, 0, 6, 40},
            {2, 2, 103, 10, -1, 0, 3},       {2, 3, 103, 10, -1, 0, -4}};
}

// The field at hour on the test grid, its value at every point, simply packed.
inline std::string field_message(const field& f, long hour, long date = 20261209,
                                 long run_hour = 12) {
    std::vector<std::string> sections = {identification(date, run_hour), test_grid(),
                                         product(f.category, f.number, f.surface, f.level, hour,
                                                 f.statistics, f.length, date, run_hour)};
    const std::vector<std::string> data =
        simple_data(std::vector<double>(test_ni * test_nj, f.value));
    sections.insert(sections.end(), data.begin(), data.end());
    return message(sections);
}

// A whole run, hours 6 to 288, in one string, or the hours from first to last of it.
inline std::string gfs_run(long first = 6, long last = 288) {
    std::string run;
    for (long hour = first; hour <= last; hour += 6)
        for (const field& f : gfs_fields()) run += field_message(f, hour);
    return run;
}

} // namespace grib2
