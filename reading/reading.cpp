#include "reading/reading.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <sstream>

// Takes one word and stores its first keep characters in word, or drops it when word is
// null; size, when not null, gets the whole word's length.
static bool take_word(std::istream& in, std::string* word, bool ends_after_bar, std::size_t keep,
                      std::size_t* size = nullptr) {
    std::streambuf* buf = start_item(in);
    if (!buf) return false;
    if (word) word->clear();
    std::size_t taken = 0;
    int c = buf->sgetc();
    do {
        if (word && word->size() < keep) word->push_back(static_cast<char>(c));
        ++taken;
        bool bar = c == '|';
        c = buf->snextc();
        if (bar && ends_after_bar) break;
    } while (c != EOF && !is_white(c));
    if (c == EOF) in.setstate(std::ios::eofbit);
    if (size) *size = taken;
    return true;
}

bool read_word(std::istream& in, std::string& word, std::size_t keep, std::size_t* size) {
    return take_word(in, &word, false, keep, size);
}

bool read_column_word(std::istream& in, std::string& word) {
    return take_word(in, &word, true, kept_word_length);
}

bool skip_column_words(std::istream& in, int count) {
    for (int i = 0; i < count; ++i)
        if (!take_word(in, nullptr, true, 0)) return false;
    return true;
}

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

bool read_mark(std::istream& in, char& mark) {
    std::streambuf* buf = start_item(in);
    if (!buf) return false;
    mark = static_cast<char>(buf->sbumpc());
    return true;
}

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

bool parse_number(const std::string& word, double& value) {
    if (word.empty() || is_white(static_cast<unsigned char>(word[0]))) return false;
    std::istringstream in(word);
    double number = 0;
    if (!read_double(in, number) || in.peek() != std::char_traits<char>::eof()) return false;
    value = number;
    return true;
}

// A block search reads the file a block at a time and keeps, beside the next block, what
// a label still to be found may start with: at most the label and the character before
// it. Labels longer than this are searched word by word.
static const long long search_block = 1 << 16;
static const std::size_t longest_block_label = 254;

// Word by word, for streams that cannot be repositioned (a pipe, a terminal). position
// is the stream position of the first character, or negative when unknown.
static bool find_by_words(std::istream& in, std::streambuf* buf, const std::string& label,
                          long long position, long long limit) {
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

// Large files are mostly text that a search passes over, so a stream that can be
// repositioned is searched a block at a time for the label's characters, and then left
// right after the first occurrence that is a whole word. This is the same word as the
// word-by-word search finds: the label holds no white space, and the search's first word
// starts where the stream stands.
static bool find_by_blocks(std::istream& in, std::streambuf* buf, const std::string& label,
                           long long start, long long limit) {
    const long long n = static_cast<long long>(label.size());
    const long long block = search_block;
    char data[search_block + longest_block_label + 2];
    long long base = start; // stream position of data[0]
    long long len = 0;      // characters held in data
    long long from = start; // first position not yet tried as the start of the label
    bool at_end = false;
    for (;;) {
        if (!at_end) {
            long long got = buf->sgetn(data + len, block);
            at_end = got == 0;
            len += got;
        }
        // A candidate needs the character after it, unless the input ends there.
        long long last = base + len - n - (at_end ? 0 : 1);
        while (from <= last) {
            const char* first = data + (from - base);
            const void* hit = std::memchr(first, label[0], static_cast<size_t>(last - from + 1));
            if (!hit) {
                from = last + 1;
                break;
            }
            long long q = base + (static_cast<const char*>(hit) - data);
            from = q + 1;
            if (limit >= 0 && q >= limit) break;
            if (std::memcmp(hit, label.data(), static_cast<size_t>(n)) != 0) continue;
            bool word_start =
                q == start || is_white(static_cast<unsigned char>(data[q - base - 1]));
            bool at_input_end = at_end && q + n == base + len;
            bool word_end =
                at_input_end || is_white(static_cast<unsigned char>(data[q - base + n]));
            if (!word_start || !word_end) continue;
            if (buf->pubseekpos(q + n, std::ios::in) != q + n) {
                in.setstate(std::ios::failbit);
                return false;
            }
            if (at_input_end) in.setstate(std::ios::eofbit);
            return true;
        }
        if (limit >= 0 && from >= limit) {
            in.setstate(std::ios::failbit);
            return false;
        }
        if (at_end) {
            in.setstate(std::ios::eofbit | std::ios::failbit);
            return false;
        }
        // Keep what a later candidate may still need: the character before it and itself.
        long long keep = from - 1 > base ? from - 1 - base : 0;
        std::memmove(data, data + keep, static_cast<size_t>(len - keep));
        base += keep;
        len -= keep;
    }
}

bool find_label(std::istream& in, const std::string& label, long long limit) {
    std::istream::sentry ok(in, true);
    if (!ok) return false;
    std::streambuf* buf = in.rdbuf();
    long long start = static_cast<long long>(buf->pubseekoff(0, std::ios::cur, std::ios::in));
    if (start >= 0 && !label.empty() && label.size() <= longest_block_label)
        return find_by_blocks(in, buf, label, start, limit);
    if (limit >= 0 && start < 0) {
        in.setstate(std::ios::failbit);
        return false;
    }
    return find_by_words(in, buf, label, start, limit);
}
