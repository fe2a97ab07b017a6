#pragma once

// A GFS hour's GRIB2 file as fetch sees it: the .idx inventory NCEP publishes beside it, the
// messages of it that gfs-point reads, the byte ranges that hold them, and the framing each
// downloaded message must have.

#include <functional>
#include <string>
#include <vector>

// One line of a GRIB2 file's .idx inventory as NCEP publishes it beside the file,
// "N:OFFSET:d=YYYYMMDDHH:VAR:LEVEL:FORECAST:": the message's first byte and what the field
// is, in wgrib2's words ("TMP", "2 m above ground", "6 hour fcst"). A message that packs
// several fields has a line for each ("N.1", "N.2"), all with its offset.
struct index_line {
    long long offset = 0;
    std::string run; // "2026120912"
    std::string variable, level, forecast;
    bool qualified = false; // words after the forecast (an ensemble member, a probability)
};

// Reads an inventory. False, with why naming the line, for a line of another form or an
// offset before the one above it.
bool read_grib_index(const std::string& text, std::vector<index_line>& lines, std::string& why);

// Bytes of a file to get in one request: messages that follow each other.
struct byte_range {
    long long first = 0;
    long long last = -1;             // -1: to the end of the file
    std::vector<long long> messages; // where each of its messages begins
};

// The ranges that hold the messages of which wanted takes some line, adjacent messages in
// one range; the file's last message runs to its end.
std::vector<byte_range> wanted_ranges(const std::vector<index_line>& lines,
                                      const std::function<bool(const index_line&)>& wanted);

// The HTTP form of a range: "FIRST-LAST", or "FIRST-" to the end.
std::string range_words(const byte_range& range);

// Whether bytes, got for range, are its GRIB2 messages whole: each begins with "GRIB" where
// the inventory says it does, is of edition 2, and ends with "7777" at the length its
// first section gives, right where the next begins or the bytes end. False, with why
// naming the message by its offset in the file, otherwise.
bool check_grib_messages(const std::string& bytes, const byte_range& range, std::string& why);

// The forecast hours whose messages the GFS model file is made of: 6 to 288 every 6.
inline constexpr int first_gfs_hour = 6;
inline constexpr int last_gfs_hour = 288;
inline constexpr int gfs_hour_step = 6;

// Whether the inventory line of a file of forecast hour is a message that gfs-point reads:
// sea-level pressure, temperature at 2 m, 850, 700 and 500 hPa, heights at 500 and 1000
// hPa, humidity at 2 m, the 6-hour precipitation and the run total, the 6-hour average of
// the entire atmosphere's cloud, the 10 m winds; all at that hour.
bool gfs_point_reads(const index_line& line, int hour);

// The fields gfs-point needs that lines (those it reads) lack for hour, as "TMP 850 mb,
// APCP surface"; empty when none. Precipitation is there as the 6-hour bucket or as the
// run total.
std::string missing_gfs_point_fields(const std::vector<index_line>& lines, int hour);
