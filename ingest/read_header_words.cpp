#include "ingest/bulletin_header.h"

#include "reading/reading.h"

#include <istream>

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

bool read_header_words(std::istream& in, bulletin_header& h) {
    return take(in, h.model, &h.model_at) && take(in, h.kind[0], nullptr) &&
           take(in, h.kind[1], nullptr) && take(in, h.date_word, &h.date_at) &&
           take(in, h.cycle, &h.cycle_at);
}
