#include "chart/palette.h"
#include "chart/svg.h"

#include <ostream>

void begin_svg(std::ostream& out, int width, int height, const std::string& title) {
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\"" << svg_attr("width", width)
        << svg_attr("height", height) << " viewBox=\"0 0 " << svg_number(width) << ' '
        << svg_number(height) << "\" font-family=\"sans-serif\" font-size=\"12\">\n"
        << "<title>" << svg_escape(title)
        << "</title>\n"
        // A printed or embedded chart must not take the page's colour behind it.
        << "<rect width=\"100%\" height=\"100%\" fill=\"" << paper_colour << "\"/>\n";
}

void end_svg(std::ostream& out) {
    out << "</svg>\n";
}
