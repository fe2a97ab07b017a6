#include "assemble/parse_guidance_header.h"

#include "reading/reading.h"

#include <sstream>

bool parse_guidance_header(const std::string& line, guidance_header& header) {
    std::istringstream in(line);
    std::string words[8];
    std::size_t ends[8] = {};
    int count = 0;
    while (count < 8 && read_word(in, words[count])) {
        // tellg fails once the word has ended the line.
        ends[count] = in.eof() ? line.size() : static_cast<std::size_t>(in.tellg());
        ++count;
    }
    if (count != 7 || words[2] != "MOS" || words[3] != "GUIDANCE" || words[6] != "UTC")
        return false;
    header.station = words[0];
    header.model = words[1];
    header.date_word = words[4];
    header.cycle = words[5];
    header.model_at = ends[1] - words[1].size();
    header.date_at = ends[4] - words[4].size();
    return true;
}
