#include "reading/quote_word.h"

std::string quote_word(const std::string& word) {
    const std::string::size_type cap = 40;
    if (word.size() <= cap) return "\"" + word + "\"";
    return "\"" + word.substr(0, cap) + "...\"";
}
