#include "chart/svg.h"

#include "chart/palette.h"

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

// Length of the valid UTF-8 sequence of a non-ASCII character starting at s[i], or 0.
static std::size_t utf8_length(const std::string& s, std::size_t i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    std::size_t length = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 0;
    if (length == 0 || c > 0xF4 || i + length > s.size()) return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
    // Overlong forms, surrogates and code points past U+10FFFF are no valid XML text.
    unsigned char d = static_cast<unsigned char>(s[i + 1]);
    if ((c == 0xE0 && d < 0xA0) || (c == 0xED && d >= 0xA0) || (c == 0xF0 && d < 0x90) ||
        (c == 0xF4 && d >= 0x90))
        return 0;
    return length;
}

std::string svg_escape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            std::size_t length = utf8_length(text, i);
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
