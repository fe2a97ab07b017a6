#include "reading/reading.h"
#include "reading/reading_start.h"

#include <cstdlib>
#include <limits>

bool read_double(std::istream& in, double& value) {
    std::streambuf* buf = start_item(in);
    if (!buf) return false;
    // Gather the characters the standard extractor would take, then convert them whole;
    // a text the conversion does not use up ("1e", "-", ".") is no number. Past
    // longest_number characters they are still taken but no longer stored.
    std::string text;
    bool too_long = false;
    auto keep = [&](int ch) {
        if (text.size() < longest_number)
            text.push_back(static_cast<char>(ch));
        else
            too_long = true;
    };
    int c = buf->sgetc();
    if (c == '+' || c == '-') {
        keep(c);
        c = buf->snextc();
    }
    bool mantissa = false, point = false, exponent = false;
    while (c != EOF) {
        if (c >= '0' && c <= '9') {
            keep(c);
            mantissa = true;
        } else if (c == '.' && !point && !exponent) {
            keep('.');
            point = true;
        } else if ((c == 'e' || c == 'E') && mantissa && !exponent) {
            keep('e');
            exponent = true;
            c = buf->snextc();
            if (c != '+' && c != '-') continue;
            keep(c);
        } else {
            break;
        }
        c = buf->snextc();
    }
    std::ios::iostate state = c == EOF ? std::ios::eofbit : std::ios::goodbit;
    char* end = nullptr;
    double v = std::strtod(text.c_str(), &end);
    const double huge = std::numeric_limits<double>::infinity();
    bool ok = true;
    if (too_long || end == text.c_str() || *end != '\0') {
        v = 0.0;
        ok = false;
    } else if (v == huge || v == -huge) {
        v = v > 0 ? std::numeric_limits<double>::max() : -std::numeric_limits<double>::max();
        ok = false;
    }
    value = v;
    if (!ok) state |= std::ios::failbit;
    in.setstate(state);
    return ok;
}
