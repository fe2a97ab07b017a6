#include "reading/quote_word.h"
#include "reading/reading_start.h"

#include <istream>

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
