#pragma once

#include <istream>
#include <streambuf>

// White space as the "C" locale knows it: blank, \t, \n, \v, \f, \r.
inline bool is_white(int c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// What every read does first: flush the tie and skip white space, as the standard
// extractors do. Returns the buffer standing on the item's first character, or null,
// with failbit (and eofbit at the end of input) set, when there is no item to read.
inline std::streambuf* start_item(std::istream& in) {
    std::istream::sentry ok(in, true);
    if (!ok) return nullptr;
    std::streambuf* buf = in.rdbuf();
    int c = buf->sgetc();
    while (c != EOF && is_white(c)) c = buf->snextc();
    if (c == EOF) {
        in.setstate(std::ios::eofbit | std::ios::failbit);
        return nullptr;
    }
    return buf;
}
