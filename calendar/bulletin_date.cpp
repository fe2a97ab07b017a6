#include "calendar/bulletin_date.h"

// Reads a number of min_digits to max_digits decimal digits at text[at] that ends at
// stop, or at the end of text when stop is 0, and leaves at after stop.
static bool take_number(const std::string& text, std::string::size_type& at, int min_digits,
                        int max_digits, char stop, int& value) {
    int digits = 0;
    value = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < max_digits) {
        value = value * 10 + (text[at] - '0');
        ++at;
        ++digits;
    }
    if (digits < min_digits) return false;
    if (stop == 0) return at == text.size();
    if (at >= text.size() || text[at] != stop) return false;
    ++at;
    return true;
}

bool parse_bulletin_date(const std::string& text, utc_time& date) {
    std::string::size_type at = 0;
    utc_time d{0, 0, 0, 0};
    if (!take_number(text, at, 1, 2, '/', d.month) || !take_number(text, at, 1, 2, '/', d.day) ||
        !take_number(text, at, 4, 4, 0, d.year))
        return false;
    if (d.year < first_bulletin_year || d.year > last_bulletin_year ||
        !is_real_date(d.year, d.month, d.day))
        return false;
    date = d;
    return true;
}

std::string format_bulletin_date(const utc_time& date) {
    std::string day = std::to_string(date.day);
    if (day.size() < 2) day = "0" + day;
    return std::to_string(date.month) + "/" + day + "/" + std::to_string(date.year);
}

// A whole word of digits only, as a number of at most 4 digits; -1 otherwise.
static int small_number(const std::string& word) {
    std::string::size_type at = 0;
    int value = 0;
    return take_number(word, at, 1, 4, 0, value) ? value : -1;
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
