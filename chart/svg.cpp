#include "chart/svg.h"

#include "chart/palette.h"
#include "diagnostics/diagnostics.h"

#include <cstdio>
#include <cstring>
#include <ostream>

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

std::string number_text(const char* format, double value) {
    char text[48];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string svg_escape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            std::size_t length = utf8_length_at(text, i);
            if (length == 0) {
                out += '?';
            } else {
                out.append(text, i, length);
                i += length - 1;
            }
        } else if (c < 0x20 || c == 0x7F) {
            out += '?';
        } else if (c == '&') {
            out += "&amp;";
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (c == '"') {
            out += "&quot;";
        } else if (c == '\'') {
            out += "&apos;";
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string svg_attr(const char* name, double value) {
    return std::string(" ") + name + "=\"" + svg_number(value) + "\"";
}

std::string svg_attr(const char* name, const std::string& value) {
    return std::string(" ") + name + "=\"" + svg_escape(value) + "\"";
}

svg_group open_group(std::ostream& out, const std::string& attributes) {
    out << "<g" << attributes << ">\n";
    return svg_group(out);
}

svg_group::~svg_group() {
    if (out) *out << "</g>\n";
}

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
