#include "ingest/bulletin_header.h"

#include "reading/reading.h"

#include <istream>
#include <sstream>

// Reads one word and notes where it started.
static bool take(std::istream& in, std::string& word, long long* at) {
    if (!read_word(in, word)) return false;
    if (!at) return true;
    // tellg tells nothing once a word has ended the input.
    const bool at_end = in.eof();
    in.clear();
    const long long end = static_cast<long long>(in.tellg());
    *at = end < 0 ? -1 : end - static_cast<long long>(word.size());
    if (at_end) in.setstate(std::ios::eofbit);
    return true;
}

// "V" followed by digits and dots, as the National Blend writes its version: "V4.0".
static bool is_version_word(const std::string& word) {
    return word.size() > 1 && word[0] == 'V' &&
           word.find_first_not_of("0123456789.", 1) == std::string::npos;
}

bool read_header_words(std::istream& in, bulletin_header& h) {
    if (!take(in, h.model, &h.model_at) || !take(in, h.kind[0], nullptr)) return false;
    if (h.model == "NBM" && is_version_word(h.kind[0])) {
        h.version = h.kind[0];
        if (!take(in, h.kind[0], nullptr)) return false;
    }
    return take(in, h.kind[1], nullptr) && take(in, h.date_word, &h.date_at) &&
           take(in, h.cycle, &h.cycle_at);
}

bool parse_header_line(const std::string& line, bulletin_header& header) {
    std::istringstream in(line);
    bulletin_header h;
    std::string utc, more;
    h.station_at = 0;
    if (!read_word(in, h.station) || !read_header_words(in, h) || !read_word(in, utc) ||
        read_word(in, more))
        return false;
    // MOS bulletins say "MOS GUIDANCE"; the National Blend's short-range ones "NBS GUIDANCE".
    const bool blend = h.model == "NBM" && h.kind[0] == "NBS";
    if ((h.kind[0] != "MOS" && !blend) || h.kind[1] != "GUIDANCE" || utc != "UTC") return false;
    h.station_at = static_cast<long long>(line.find_first_not_of(" \t\v\f\r\n"));
    header = h;
    return true;
}

int cycle_hour(const std::string& cycle) {
    if (cycle.size() != 4 || cycle.find_first_not_of("0123456789") != std::string::npos ||
        cycle.compare(2, 2, "00") != 0)
        return -1;
    const int hour = (cycle[0] - '0') * 10 + (cycle[1] - '0');
    return hour <= 23 ? hour : -1;
}
