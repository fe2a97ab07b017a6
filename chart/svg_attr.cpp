#include "chart/svg.h"

std::string svg_attr(const char* name, double value) {
    return std::string(" ") + name + "=\"" + svg_number(value) + "\"";
}

std::string svg_attr(const char* name, const std::string& value) {
    return std::string(" ") + name + "=\"" + svg_escape(value) + "\"";
}
