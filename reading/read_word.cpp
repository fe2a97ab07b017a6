#include "reading/reading.h"
#include "reading/reading_start.h"

// Takes one word and stores its first keep characters in word, or drops it when word is
// null.
static bool take_word(std::istream& in, std::string* word, bool ends_after_bar, std::size_t keep) {
    std::streambuf* buf = start_item(in);
    if (!buf) return false;
    if (word) word->clear();
    int c = buf->sgetc();
    do {
        if (word && word->size() < keep) word->push_back(static_cast<char>(c));
        bool bar = c == '|';
        c = buf->snextc();
        if (bar && ends_after_bar) break;
    } while (c != EOF && !is_white(c));
    if (c == EOF) in.setstate(std::ios::eofbit);
    return true;
}

bool read_word(std::istream& in, std::string& word, std::size_t keep) {
    return take_word(in, &word, false, keep);
}

bool read_column_word(std::istream& in, std::string& word) {
    return take_word(in, &word, true, kept_word_length);
}

bool skip_column_words(std::istream& in, int count) {
    for (int i = 0; i < count; ++i)
        if (!take_word(in, nullptr, true, 0)) return false;
    return true;
}
