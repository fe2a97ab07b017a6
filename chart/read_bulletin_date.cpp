#include "chart/read_bulletin_date.h"

#include "ingest/parse_bulletin_date.h"
#include "reading/reading.h"

#include <fstream>
#include <string>

bool read_bulletin_date(const char* file_name, utc_time& issued) {
    std::ifstream in(file_name, std::ios::binary);
    std::string station, model, mos, guidance, date_word, cycle;
    if (!read_word(in, station) || !read_word(in, model) || !read_word(in, mos) ||
        !read_word(in, guidance) || !read_word(in, date_word) || !read_word(in, cycle))
        return false;
    bulletin_date date{};
    // A cycle is a whole hour written hhmm: "1200", "0000".
    if (!parse_bulletin_date(date_word, date) || cycle.size() != 4 ||
        cycle.find_first_not_of("0123456789") != std::string::npos || cycle.substr(2) != "00" ||
        std::stoi(cycle.substr(0, 2)) > 23)
        return false;
    issued = utc_time{date.year, date.month, date.day, std::stoi(cycle.substr(0, 2))};
    return true;
}
