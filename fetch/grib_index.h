#pragma once

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
