#include "verify/observations.h"

#include "verify/observation_lines.h"

int station_index(const std::string& id) {
    std::string word = ascii_capitals(id);
    // The Mesonet and the CF6 identifiers leave out the K of the contiguous states.
    if (word.size() == 3) word = "K" + word;
    for (int s = 0; s < verify_station_count; ++s)
        if (word == verify_station_ids[s]) return s;
    return -1;
}
