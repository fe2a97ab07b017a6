#include "reading/parse_number.h"

#include "reading/reading.h"
#include "reading/reading_start.h"

#include <sstream>

bool parse_number(const std::string& word, double& value) {
    if (word.empty() || is_white(static_cast<unsigned char>(word[0]))) return false;
    std::istringstream in(word);
    double number = 0;
    if (!read_double(in, number) || in.peek() != std::char_traits<char>::eof()) return false;
    value = number;
    return true;
}
