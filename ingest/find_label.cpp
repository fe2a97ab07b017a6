#include "ingest/reading.h"
#include "ingest/reading_start.h"

bool find_label(std::istream& in, const std::string& label, long long limit) {
    // The position is asked for once and then counted, so that a long search stays fast.
    long long position = 0;
    if (limit >= 0) {
        if (!in.good()) {
            in.setstate(std::ios::failbit);
            return false;
        }
        position = static_cast<long long>(in.tellg());
        if (position < 0) return false;
    }
    std::istream::sentry ok(in, true);
    if (!ok) return false;
    std::streambuf* buf = in.rdbuf();
    int c = buf->sgetc();
    for (;;) {
        while (c != EOF && is_white(c)) {
            c = buf->snextc();
            ++position;
        }
        if (c == EOF) {
            in.setstate(std::ios::eofbit | std::ios::failbit);
            return false;
        }
        if (limit >= 0 && position >= limit) {
            in.setstate(std::ios::failbit);
            return false;
        }
        std::string::size_type matched = 0;
        bool same = true;
        while (c != EOF && !is_white(c)) {
            if (same && matched < label.size() && static_cast<char>(c) == label[matched])
                ++matched;
            else
                same = false;
            c = buf->snextc();
            ++position;
        }
        if (same && matched == label.size()) {
            if (c == EOF) in.setstate(std::ios::eofbit);
            return true;
        }
    }
}
