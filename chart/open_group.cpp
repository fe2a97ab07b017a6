#include "chart/svg.h"

#include <ostream>

svg_group open_group(std::ostream& out, const std::string& attributes) {
    out << "<g" << attributes << ">\n";
    return svg_group(out);
}

svg_group::~svg_group() {
    if (out) *out << "</g>\n";
}
