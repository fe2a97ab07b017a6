#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

// What the observation readers share, for their own use.

// No real product or mesonet file has lines near this long.
inline constexpr std::size_t longest_received_line = 64 * 1024;

// One line as received, without its line end: every carriage return at its end and the
// NOAAPort framing bytes (start and end of product, record separator) wherever they stand
// are dropped, so that CR LF files, "\r\r\n" transmissions and framed products read as
// plain text. A line longer than longest_received_line is cut there, with too_long set.
// False at the end of input.
bool read_received_line(std::istream& in, std::string& line, bool& too_long);

// What a reader says of a line that was cut.
inline std::string too_long_line() {
    return "the line is longer than " + std::to_string(longest_received_line) +
           " bytes, which no mesonet CSV or CF6 product has";
}

inline bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

// The characters of text from first to last (both clipped to its size), without the
// blanks at either end.
inline std::string trimmed(const std::string& text, std::size_t first = 0,
                           std::size_t last = std::string::npos) {
    if (last > text.size()) last = text.size();
    while (first < last && is_blank(text[first])) ++first;
    while (last > first && is_blank(text[last - 1])) --last;
    return first < last ? text.substr(first, last - first) : std::string();
}

// text in ASCII capitals: the received products and ids are ASCII, and anything else
// stays as it is.
inline std::string ascii_capitals(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}
