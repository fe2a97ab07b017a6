#include "verify/observations.h"

#include "calendar/utc_time.h"

int station_index(const std::string& id) {
    std::string word = in_capitals(id);
    // The Mesonet and the CF6 identifiers leave out the K of the contiguous states.
    if (word.size() == 3) word = "K" + word;
    for (int s = 0; s < station_count; ++s)
        if (word == station_ids[s]) return s;
    return -1;
}
