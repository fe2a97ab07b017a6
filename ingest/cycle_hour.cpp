#include "ingest/bulletin_header.h"

int cycle_hour(const std::string& cycle) {
    if (cycle.size() != 4 || cycle.find_first_not_of("0123456789") != std::string::npos ||
        cycle.compare(2, 2, "00") != 0)
        return -1;
    const int hour = (cycle[0] - '0') * 10 + (cycle[1] - '0');
    return hour <= 23 ? hour : -1;
}
