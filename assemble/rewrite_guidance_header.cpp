#include "assemble/rewrite_guidance_header.h"

#include <algorithm>

std::string rewrite_guidance_header(const std::string& line, const bulletin_header& header,
                                    const std::string& date_word) {
    std::string out = line;
    std::size_t at = static_cast<std::size_t>(header.date_at);
    const std::size_t old_size = header.date_word.size();
    if (date_word.size() >= old_size) {
        std::size_t blanks = 0;
        while (blanks < at && out[at - blanks - 1] == ' ') ++blanks;
        // One blank always stays between the date and the word before it.
        std::size_t taken = std::min(date_word.size() - old_size, blanks > 0 ? blanks - 1 : 0);
        out.replace(at - taken, old_size + taken, date_word);
    } else {
        out.replace(at, old_size, std::string(old_size - date_word.size(), ' ') + date_word);
    }
    return out;
}
