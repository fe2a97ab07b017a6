#include "calendar/bulletin_date.h"

// A whole word of digits only, as a number of at most 4 digits; -1 otherwise.
static int small_number(const std::string& word) {
    if (word.empty() || word.size() > 4) return -1;
    int value = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool parse_model_run(const std::string words[6], utc_time& time) {
    if (words[1] != "UTC") return false;
    utc_time parsed{small_number(words[5]), 0, small_number(words[3]), small_number(words[0])};
    for (int m = 1; m <= 12; ++m)
        if (words[4] == in_capitals(month_abbreviation(m))) parsed.month = m;
    if (parsed.year < 1 || !is_real_date(parsed.year, parsed.month, parsed.day) ||
        parsed.hour < 0 || parsed.hour > 23)
        return false;
    time = parsed;
    return true;
}
