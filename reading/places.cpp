#include "reading/places.h"

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

std::string quote_word(const std::string& word) {
    const std::string::size_type cap = 40;
    if (word.size() <= cap) return "\"" + word + "\"";
    return "\"" + word.substr(0, cap) + "...\"";
}

std::string quoted_word_at(std::istream& in, long long position, bool* begun) {
    // A window around the position is enough: what is quoted is cut after 40 characters,
    // and a word that begins further back is shown from inside.
    const long long back = 64, ahead = 42;
    long long from = position > back ? position - back : 0;
    in.clear();
    if (position < 0 || !in.seekg(from)) return "";
    char window[back + ahead];
    in.read(window, sizeof window);
    const long long got = in.gcount();
    in.clear();
    long long at = position - from;
    auto word_char = [&](long long i) {
        return i >= 0 && i < got && !is_white(static_cast<unsigned char>(window[i]));
    };
    if (!word_char(at)) --at;
    if (!word_char(at)) return "";
    long long start = at;
    while (word_char(start - 1)) --start;
    long long end = at;
    while (word_char(end)) ++end;
    if (begun) *begun = start < position - from;
    std::string word(window + start, window + end);
    // The window cut the word at its front: it began further back.
    if (start == 0 && from > 0) word = "..." + word;
    return quote_word(word);
}
