#include "ingest/bulletin_header.h"

#include "reading/reading.h"

#include <sstream>

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
