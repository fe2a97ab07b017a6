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
