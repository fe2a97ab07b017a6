#include "chart/find_gfs_run_time.h"

#include "reading/reading.h"

#include <fstream>
#include <string>

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

// "00 UTC MON 04 MAR 2024": the weekday is not checked, since the date decides it.
static bool parse_run(std::istream& words, utc_time& time) {
    static const char* const months[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                           "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    std::string hour, utc, weekday, day, month, year;
    if (!read_word(words, hour) || !read_word(words, utc) || !read_word(words, weekday) ||
        !read_word(words, day) || !read_word(words, month) || !read_word(words, year) ||
        utc != "UTC")
        return false;
    utc_time parsed{small_number(year), 0, small_number(day), small_number(hour)};
    for (int m = 0; m < 12; ++m)
        if (month == months[m]) parsed.month = m + 1;
    static const int month_days[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (parsed.year < 1 || parsed.month == 0 || parsed.day < 1 ||
        parsed.day > month_days[parsed.month - 1] || parsed.hour < 0 || parsed.hour > 23)
        return false;
    // 29 February of a common year would turn into 1 March unseen.
    if (add_hours(parsed, 0).month != parsed.month) return false;
    time = parsed;
    return true;
}

bool find_gfs_run_time(const char* file_name, utc_time& time) {
    std::ifstream in(file_name, std::ios::binary);
    // The run is told in the preamble, before the header's "FIELD".
    if (!find_label(in, "FIELD") || in.eof()) return false;
    const long long limit = static_cast<long long>(in.tellg()) - 5;
    in.seekg(0);
    std::string word;
    while (find_label(in, "MODEL", limit))
        if (read_word(in, word) && word == "RUN:") return parse_run(in, time);
    return false;
}
