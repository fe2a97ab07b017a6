#include "chart/svg.h"

#include <cmath>
#include <cstdio>
#include <cstring>

std::string svg_number(double value) {
    if (!(value > -1e6)) value = -1e6; // NaN too: it must never reach the file
    if (value > 1e6) value = 1e6;
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    // Trailing zeros only lengthen the file and its diffs.
    std::size_t end = std::strlen(text);
    while (text[end - 1] == '0') --end;
    if (text[end - 1] == '.') --end;
    std::string result(text, end);
    return result == "-0" ? "0" : result;
}
