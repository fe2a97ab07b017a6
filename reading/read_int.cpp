#include "reading/reading.h"
#include "reading/reading_start.h"

#include <climits>

bool read_int(std::istream& in, int& value) {
    std::streambuf* buf = start_item(in);
    if (!buf) return false;
    int c = buf->sgetc();
    bool negative = c == '-';
    if (c == '-' || c == '+') c = buf->snextc();
    // Digits beyond the range are still taken, as the standard extractor does; the
    // magnitude stops growing once it is out of range so it cannot overflow.
    const unsigned long long cap = 1ULL << 32;
    unsigned long long magnitude = 0;
    bool digits = false;
    while (c >= '0' && c <= '9') {
        digits = true;
        if (magnitude < cap) magnitude = magnitude * 10 + static_cast<unsigned>(c - '0');
        c = buf->snextc();
    }
    std::ios::iostate state = c == EOF ? std::ios::eofbit : std::ios::goodbit;
    bool ok = true;
    if (!digits) {
        value = 0;
        ok = false;
    } else if (negative ? magnitude > 1ULL + INT_MAX : magnitude > static_cast<unsigned>(INT_MAX)) {
        value = negative ? INT_MIN : INT_MAX;
        ok = false;
    } else {
        long long signed_value = static_cast<long long>(magnitude);
        value = static_cast<int>(negative ? -signed_value : signed_value);
    }
    if (!ok) state |= std::ios::failbit;
    in.setstate(state);
    return ok;
}
