#include "export/forecast_export.h"
#include "reading/places.h"

#include <vector>

void header_lines(std::istream& in, const bulletin_layout& layout, long long* lines) {
    std::vector<fault> at(bulletin_count);
    for (int k = 0; k < bulletin_count; ++k) at[k].position = layout.header[k].station_at;
    place_lines(in, at);
    for (int k = 0; k < bulletin_count; ++k) lines[k] = at[k].line;
}
