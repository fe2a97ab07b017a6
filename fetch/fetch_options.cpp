#include "fetch/fetch_options.h"

#include "calendar/bulletin_date.h"
#include "calendar/iso_date.h"

namespace {

long long floor_div(long long a, long long b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// Two digits from text at i, up to most; -1 for anything else.
int two_digits(const std::string& text, std::size_t i, int most) {
    if (i + 2 > text.size()) return -1;
    const char a = text[i], b = text[i + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9') return -1;
    const int value = (a - '0') * 10 + (b - '0');
    return value <= most ? value : -1;
}

// "HH:MMZ" or "HH:MM:SSZ" as seconds into the day; -1 for anything else.
long long seconds_of_day(const std::string& text) {
    const int hours = two_digits(text, 0, 23), minutes = two_digits(text, 3, 59);
    if (hours < 0 || minutes < 0 || text[2] != ':') return -1;
    long long seconds = hours * 3600LL + minutes * 60LL;
    if (text.size() == 6 && text[5] == 'Z') return seconds;
    const int s = two_digits(text, 6, 59);
    if (text.size() != 9 || text[5] != ':' || s < 0 || text[8] != 'Z') return -1;
    return seconds + s;
}

} // namespace

utc_time utc_hour_of(long long seconds) {
    return add_hours({1970, 1, 1, 0}, floor_div(seconds, 3600));
}

bool read_fetch_product(const std::string& word, fetch_product& product) {
    for (fetch_product p :
         {fetch_product::nbs, fetch_product::mav, fetch_product::mex, fetch_product::gfs}) {
        if (word == product_word(p)) {
            product = p;
            return true;
        }
    }
    return false;
}

bool read_fetch_cycle(const std::string& word, int& cycle) {
    for (int c : {0, 6, 12, 18}) {
        if (word == std::to_string(c) || (c < 10 && word == "0" + std::to_string(c))) {
            cycle = c;
            return true;
        }
    }
    return false;
}

bool read_fetch_date(const std::string& word, long long now, utc_time& date) {
    utc_time read{};
    if (word == "today")
        read = utc_hour_of(now);
    else if (!parse_iso_date(word, read) && !parse_bulletin_date(word, read))
        return false;
    read.hour = 0;
    date = read;
    return true;
}

bool read_fetch_until(const std::string& word, long long now, long long& until) {
    utc_time day = utc_hour_of(now);
    std::string clock = word;
    const std::size_t t = word.find('T');
    if (t != std::string::npos) {
        if (!parse_iso_date(word.substr(0, t), day)) return false;
        clock = word.substr(t + 1);
    }
    const long long seconds = seconds_of_day(clock);
    if (seconds < 0) return false;
    until = days_since_epoch(day) * 86400 + seconds;
    return true;
}

bool is_fetch_server(const std::string& word) {
    for (const char* scheme : {"http://", "https://", "file://"}) {
        const std::string s = scheme;
        if (word.size() > s.size() && word.compare(0, s.size(), s) == 0) return true;
    }
    return false;
}
