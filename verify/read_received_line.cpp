#include "verify/observation_lines.h"

#include <algorithm>
#include <istream>

bool read_received_line(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) return false;
    auto framing = [](char c) { return c == '\x01' || c == '\x03' || c == '\x1e'; };
    line.erase(std::remove_if(line.begin(), line.end(), framing), line.end());
    while (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}
