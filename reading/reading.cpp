#include "reading/reading.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>
#include <sstream>
#include <utility>

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
static const std::size_t longest_block_label = longest_watched_word;

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

namespace {

// The characters data holds: a block of the stream from position base, len of them, the
// last of the input when at_end.
struct search_block_text {
    const char* data;
    long long base, len;
    bool at_end;
};

// Whether word, of size characters, stands at position q of text as a whole word of a
// search that started at start. A word running past what text holds is none: its end is
// not known yet, or it runs past the end of input.
bool whole_word_at(const search_block_text& text, long long start, long long q, const char* word,
                   long long size) {
    const long long end = text.base + text.len;
    if (q + size > end || (q + size == end && !text.at_end)) return false;
    const char* at = text.data + (q - text.base);
    // Words are short, and most places tried differ at once.
    for (long long i = 0; i < size; ++i)
        if (at[i] != word[i]) return false;
    const bool starts = q == start || is_white(static_cast<unsigned char>(at[-1]));
    return starts && (q + size == end || is_white(static_cast<unsigned char>(at[size])));
}

// The watched words of one block search. Each is looked for by one of its characters, the
// one rarest in the start of the first block read, so that memchr stops at few places
// that hold no word of it; words looked for by the same character share one pass over a
// block.
struct watch_state {
    watched_words* out = nullptr;
    long long size[most_watched_words] = {};
    long long offset[most_watched_words] = {}; // of the character looked for
    unsigned char mark[most_watched_words] = {};
    int marks = 0;
    // The words still to be found that each mark is looked for by.
    int member[most_watched_words][most_watched_words] = {};
    int members[most_watched_words] = {};
    int left = 0; // words still to be found
    long long longest = 0;
    long long from = 0; // the first position not yet tried as the start of a word
};

// Readies the watch of out's words from position start; false when they are no words it
// can note.
bool start_watch(watch_state& w, watched_words& out, long long start) {
    if (out.count < 0 || out.count > most_watched_words) return false;
    for (int i = 0; i < out.count; ++i) {
        const char* word = out.words[i];
        const std::size_t size = std::strlen(word);
        if (size == 0 || size > longest_watched_word) return false;
        for (std::size_t j = 0; j < size; ++j)
            if (is_white(static_cast<unsigned char>(word[j]))) return false;
        w.size[i] = static_cast<long long>(size);
        w.longest = std::max(w.longest, w.size[i]);
        out.first_at[i] = -1;
    }
    w.out = &out;
    w.left = out.count;
    w.from = start;
    return true;
}

// How much of the first block tells how often each character comes.
const long long sampled_text = 1 << 14;
// A character that another word is looked for by is taken unless it comes more than once
// in this many: a pass of its own would cost less than stopping at each.
const std::size_t shared_mark_rarity = 64;

// Chooses the character each word is looked for by from how often the start of the first
// block holds each, sharing a character already chosen where it is rare enough.
void choose_marks(watch_state& w, const char* data, long long len) {
    const long long sampled = std::min(len, sampled_text);
    std::size_t seen[256] = {};
    for (long long i = 0; i < sampled; ++i) ++seen[static_cast<unsigned char>(data[i])];
    int mark_index[256];
    std::fill(std::begin(mark_index), std::end(mark_index), -1);
    // Shared rare characters first, then the rarest.
    auto cost = [&](unsigned char c) {
        const bool shared =
            mark_index[c] >= 0 && seen[c] * shared_mark_rarity <= static_cast<std::size_t>(sampled);
        return std::make_pair(!shared, seen[c]);
    };
    for (int i = 0; i < w.out->count; ++i) {
        const auto* word = reinterpret_cast<const unsigned char*>(w.out->words[i]);
        long long best = 0;
        for (long long j = 1; j < w.size[i]; ++j)
            if (cost(word[j]) < cost(word[best])) best = j;
        const unsigned char c = word[best];
        if (mark_index[c] < 0) {
            mark_index[c] = w.marks;
            w.mark[w.marks++] = c;
        }
        const int g = mark_index[c];
        w.offset[i] = best;
        w.member[g][w.members[g]++] = i;
    }
}

// Notes the watched words that start at a position from w.from to before stop, all of
// which text holds with the character before them.
void scan_watched(watch_state& w, const search_block_text& text, long long start, long long stop) {
    for (int g = 0; g < w.marks && w.from < stop; ++g) {
        int* member = w.member[g];
        int& members = w.members[g];
        if (members == 0) continue;
        long long least = longest_watched_word, most = 0;
        for (int j = 0; j < members; ++j) {
            least = std::min(least, w.offset[member[j]]);
            most = std::max(most, w.offset[member[j]]);
        }
        long long at = w.from + least;
        const long long last = std::min(stop - 1 + most, text.base + text.len - 1);
        while (at <= last && members > 0) {
            const void* hit = std::memchr(text.data + (at - text.base), w.mark[g],
                                          static_cast<std::size_t>(last - at + 1));
            if (!hit) break;
            const long long h = text.base + (static_cast<const char*>(hit) - text.data);
            for (int j = 0; j < members;) {
                const int i = member[j];
                const long long q = h - w.offset[i];
                if (q < w.from || q >= stop ||
                    !whole_word_at(text, start, q, w.out->words[i], w.size[i])) {
                    ++j;
                    continue;
                }
                w.out->first_at[i] = q;
                member[j] = member[--members];
                --w.left;
            }
            at = h + 1;
        }
    }
    w.from = std::max(w.from, stop);
}

} // namespace

// Large files are mostly text that a search passes over, so a stream that can be
// repositioned is searched a block at a time for the label's characters, and then left
// right after the first occurrence that is a whole word. This is the same word as the
// word-by-word search finds: the label holds no white space, and the search's first word
// starts where the stream stands. The watched words are looked for in the same blocks,
// up to where the search ends; with no label, until each has been found.
static bool find_by_blocks(std::istream& in, std::streambuf* buf, const std::string& label,
                           long long start, long long limit, watch_state* watch) {
    const long long n = static_cast<long long>(label.size());
    const bool seeking = n > 0;
    // What a block must hold beyond a word's start for the word to be judged.
    const long long wide = watch ? std::max(n, watch->longest) : n;
    char data[search_block + longest_block_label + 2];
    search_block_text text{data, start, 0, false}; // text.base: stream position of data[0]
    long long from = start; // first position not yet tried as the start of the label
    enum { searching, found, at_limit, at_input_end } result = searching;
    long long end = -1; // where the search ended: the label's start, the limit, the input's end
    for (bool first = true;; first = false) {
        if (!text.at_end) {
            long long got = buf->sgetn(data + text.len, search_block);
            text.at_end = got == 0;
            text.len += got;
        }
        if (watch && first) choose_marks(*watch, data, text.len);
        const long long base = text.base, len = text.len;
        // A candidate needs the character after it, unless the input ends there.
        long long last = base + len - n - (text.at_end ? 0 : 1);
        while (seeking && result == searching && from <= last) {
            const void* hit =
                std::memchr(data + (from - base), label[0], static_cast<size_t>(last - from + 1));
            if (!hit) {
                from = last + 1;
                break;
            }
            long long q = base + (static_cast<const char*>(hit) - data);
            from = q + 1;
            if (limit >= 0 && q >= limit) break;
            if (whole_word_at(text, start, q, label.data(), n)) {
                result = found;
                end = q;
            }
        }
        if (result == searching && limit >= 0 && from >= limit) {
            result = at_limit;
            end = limit;
        } else if (result == searching && text.at_end) {
            result = at_input_end;
            end = base + len;
        }
        bool watching = watch && watch->left > 0;
        if (watching) {
            // Before a label found, a word this block cannot hold whole would run into the
            // white space before the label, so it is none.
            long long stop = text.at_end ? base + len : base + len - wide;
            if (result != searching) stop = result == found ? end : std::min(stop, end);
            scan_watched(*watch, text, start, stop);
            watching = watch->left > 0 && (result == searching || watch->from < end);
        }
        if ((result != searching || !seeking) && !watching) break;
        // Keep what a later candidate may still need: the character before it and itself.
        long long keep_from = seeking && result == searching ? from : watch->from;
        if (watching) keep_from = std::min(keep_from, watch->from);
        long long keep = keep_from - 1 > base ? keep_from - 1 - base : 0;
        std::memmove(data, data + keep, static_cast<size_t>(len - keep));
        text.base += keep;
        text.len -= keep;
    }
    if (watch) watch->out->complete = true;
    if (result == found) {
        if (buf->pubseekpos(end + n, std::ios::in) != end + n) {
            if (watch) watch->out->complete = false;
            in.setstate(std::ios::failbit);
            return false;
        }
        if (text.at_end && end + n == text.base + text.len) in.setstate(std::ios::eofbit);
        return true;
    }
    in.setstate(result == at_limit ? std::ios::failbit : std::ios::eofbit | std::ios::failbit);
    return false;
}

bool find_label(std::istream& in, const std::string& label, long long limit,
                watched_words* watched) {
    if (watched) watched->complete = false;
    std::istream::sentry ok(in, true);
    if (!ok) return false;
    std::streambuf* buf = in.rdbuf();
    long long start = static_cast<long long>(buf->pubseekoff(0, std::ios::cur, std::ios::in));
    if (start >= 0 && !label.empty() && label.size() <= longest_block_label) {
        watch_state watch;
        const bool watching = watched && start_watch(watch, *watched, start);
        return find_by_blocks(in, buf, label, start, limit, watching ? &watch : nullptr);
    }
    if (limit >= 0 && start < 0) {
        in.setstate(std::ios::failbit);
        return false;
    }
    return find_by_words(in, buf, label, start, limit);
}

void note_words(std::istream& in, watched_words& watched) {
    watched.complete = false;
    std::istream::sentry ok(in, true);
    if (!ok) return;
    std::streambuf* buf = in.rdbuf();
    const long long start = static_cast<long long>(buf->pubseekoff(0, std::ios::cur, std::ios::in));
    watch_state watch;
    if (start >= 0 && start_watch(watch, watched, start))
        find_by_blocks(in, buf, std::string(), start, -1, &watch);
}

bool at_label(std::istream& in, const std::string& label) {
    std::istream::sentry ok(in, true);
    if (!ok || label.empty()) return false;
    std::streambuf* buf = in.rdbuf();
    const std::streampos start = buf->pubseekoff(0, std::ios::cur, std::ios::in);
    if (start < 0) return false;
    const auto n = static_cast<std::streamsize>(label.size());
    std::string text(label.size() + 1, '\0');
    const std::streamsize got = buf->sgetn(&text[0], n + 1);
    const bool here = got >= n && text.compare(0, label.size(), label) == 0 &&
                      (got == n || is_white(static_cast<unsigned char>(text.back())));
    const std::streampos to = here ? start + static_cast<std::streamoff>(n) : start;
    if (buf->pubseekpos(to, std::ios::in) != to) {
        in.setstate(std::ios::failbit);
        return false;
    }
    if (here && got == n) in.setstate(std::ios::eofbit);
    return here;
}
