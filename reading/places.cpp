#include "reading/places.h"

#include "diagnostics/diagnostics.h"
#include "reading/reading.h"

#include <algorithm>
#include <istream>
#include <numeric>

void place_lines(std::istream& in, std::vector<fault>& faults) {
    // Visit the positions in file order, counting line ends up to each.
    std::vector<std::size_t> order(faults.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&faults](std::size_t a, std::size_t b) {
        return faults[a].position < faults[b].position;
    });
    in.clear();
    if (!in.seekg(0)) return;
    long long counted_to = 0, line_ends = 0;
    char block[1 << 16];
    for (std::size_t i : order) {
        const long long target = faults[i].position;
        if (target < 0) continue;
        while (counted_to < target && in) {
            const long long want = std::min<long long>(target - counted_to, sizeof block);
            in.read(block, want);
            const long long got = in.gcount();
            line_ends += std::count(block, block + got, '\n');
            counted_to += got;
            if (got < want) break;
        }
        faults[i].line = line_ends + 1;
    }
    in.clear();
}

void place_line(std::istream& in, fault& one) {
    std::vector<fault> faults{one};
    place_lines(in, faults);
    one = faults.front();
}

// Quoted words are cut after this many characters; a character takes up to four bytes.
static const std::size_t quoted_characters = 40;

std::string quote_word(const std::string& word, std::size_t size) {
    std::size_t end = 0;
    for (std::size_t n = 0; n < quoted_characters && end < word.size(); ++n)
        end += std::max<std::size_t>(utf8_length_at(word, end), 1);
    const std::size_t whole = std::max(size, word.size());
    if (end == whole) return "\"" + word + "\"";
    const bool kept = size == 0 && word.size() == kept_word_length;
    return "\"" + word.substr(0, end) + "...\" (" + std::to_string(whole) +
           (kept ? " bytes or more)" : " bytes)");
}

// Whether the byte of in at position is part of a word.
static bool word_byte_at(std::istream& in, long long position) {
    in.clear();
    if (position < 0 || !in.seekg(position)) return false;
    const int c = in.rdbuf()->sgetc();
    return c != EOF && !is_white(c);
}

std::string quoted_word_at(std::istream& in, long long position, bool* begun) {
    long long at = position;
    if (!word_byte_at(in, at)) --at;
    if (!word_byte_at(in, at)) {
        in.clear();
        return "";
    }
    // Back to the word's first byte a block at a time: it may begin far before.
    long long start = at;
    char block[4096];
    while (start > 0) {
        const long long from = std::max<long long>(0, start - static_cast<long long>(sizeof block));
        in.clear();
        if (!in.seekg(from) || !in.read(block, start - from)) break;
        long long i = start - from;
        while (i > 0 && !is_white(static_cast<unsigned char>(block[i - 1]))) --i;
        start = from + i;
        if (i > 0) break;
    }
    in.clear();
    std::string word;
    std::size_t size = 0;
    if (!in.seekg(start) || !read_word(in, word, quoted_characters * 4, &size)) size = 0;
    in.clear();
    if (begun) *begun = start < position;
    return quote_word(word, size);
}
