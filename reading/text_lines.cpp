#include "reading/text_lines.h"

#include <algorithm>
#include <istream>
#include <streambuf>

bool read_received_line(std::istream& in, std::string& line, bool& too_long) {
    line.clear();
    too_long = false;
    std::streambuf* buffer = in.rdbuf();
    if (!in.good() || buffer == nullptr) return false;
    using traits = std::char_traits<char>;
    traits::int_type c = buffer->sbumpc();
    if (traits::eq_int_type(c, traits::eof())) {
        in.setstate(std::ios::eofbit);
        return false;
    }
    // Past the longest line kept the rest is read and dropped, so that memory stays bounded
    // whatever the file holds.
    for (; !traits::eq_int_type(c, traits::eof()) && traits::to_char_type(c) != '\n';
         c = buffer->sbumpc()) {
        if (line.size() < longest_received_line)
            line.push_back(traits::to_char_type(c));
        else
            too_long = true;
    }
    if (traits::eq_int_type(c, traits::eof())) in.setstate(std::ios::eofbit);
    auto framing = [](char ch) { return ch == '\x01' || ch == '\x03' || ch == '\x1e'; };
    line.erase(std::remove_if(line.begin(), line.end(), framing), line.end());
    while (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

std::string too_long_line() {
    return "the line is longer than " + std::to_string(longest_received_line) +
           " bytes, which no mesonet CSV or CF6 product has";
}

std::string trimmed(const std::string& text, std::size_t first, std::size_t last) {
    if (last > text.size()) last = text.size();
    while (first < last && is_blank(text[first])) ++first;
    while (last > first && is_blank(text[last - 1])) --last;
    return first < last ? text.substr(first, last - first) : std::string();
}
