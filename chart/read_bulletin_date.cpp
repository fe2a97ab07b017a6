#include "chart/read_bulletin_date.h"

#include "ingest/reading.h"

#include <fstream>
#include <string>

// The digits of text from position at up to the next '/' or its end, as a number of at most
// 4 digits; -1 when there are none or anything else stands there.
static int take_number(const std::string& text, std::size_t& at) {
    int value = 0;
    std::size_t start = at;
    while (at < text.size() && text[at] != '/') {
        if (text[at] < '0' || text[at] > '9' || at - start >= 4) return -1;
        value = value * 10 + (text[at++] - '0');
    }
    if (at == start) return -1;
    if (at < text.size()) ++at;
    return value;
}

bool read_bulletin_date(const char* file_name, const bulletin_layout& layout, utc_time& issued) {
    std::ifstream in(file_name, std::ios::binary);
    in.seekg(layout.header_start[0]);
    std::string station, model, mos, guidance, date, cycle;
    if (!read_word(in, station) || !read_word(in, model) || !read_word(in, mos) ||
        !read_word(in, guidance) || !read_word(in, date) || !read_word(in, cycle))
        return false;
    std::size_t at = 0, cycle_at = 0;
    int month = take_number(date, at), day = take_number(date, at), year = take_number(date, at);
    int hour = take_number(cycle, cycle_at);
    if (at != date.size() || date.back() == '/' || cycle_at != cycle.size() || year < 1 ||
        month < 1 || month > 12 || day < 1 || hour < 0 || hour % 100 != 0 || hour >= 2400)
        return false;
    utc_time parsed{year, month, day, hour / 100};
    // A day past the month's end would carry into the next month.
    if (add_hours(parsed, 0).day != day) return false;
    issued = parsed;
    return true;
}
