#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

// Received text read a line at a time, for inputs whose lines and columns mean something
// (mesonet CSV, CF6 products), where the word reads of reading.h do not fit.

// No real product or mesonet file has lines near this long.
inline constexpr std::size_t longest_received_line = 64 * 1024;

// One line as received, without its line end: every carriage return at its end and the
// NOAAPort framing bytes (start and end of product, record separator) wherever they stand
// are dropped, so that CR LF files, "\r\r\n" transmissions and framed products read as
// plain text. A line longer than longest_received_line is cut there, with too_long set.
// False at the end of input.
bool read_received_line(std::istream& in, std::string& line, bool& too_long);

// The UTF-8 byte-order mark that some editors and exports put before a file's first line.
inline constexpr char byte_order_mark[] = "\xEF\xBB\xBF";

// Drops a byte-order mark from the start of line, where there is one.
inline void drop_byte_order_mark(std::string& line) {
    if (line.compare(0, 3, byte_order_mark) == 0) line.erase(0, 3);
}

// What a reader says of a line that was cut.
std::string too_long_line();

// A blank inside a line: space, \t, \v or \f.
inline bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

// The characters of text from first to last (both clipped to its size), without the
// blanks at either end.
std::string trimmed(const std::string& text, std::size_t first = 0,
                    std::size_t last = std::string::npos);
