#include "ingest/validate_bulletin_file.h"

#include "plumbing/reading.h"

#include <fstream>
#include <string>

// The model words accepted and the cycle word required in each group of four bulletins.
static const char* const group_models[3][2] = {{"ETA", "ETA"}, {"AVN", "GFS"}, {"MRF", "GFSX"}};
static const char* const group_cycle[3] = {"1200", "1200", "0000"};

bool validate_bulletin_file(const char* file_name, bulletin_layout& layout) {
    // Binary mode keeps stream positions byte offsets that the readers can seek to; words
    // are unchanged, since '\r' is white space.
    std::ifstream in(file_name, std::ios::in | std::ios::binary);
    std::string station, model, skipped, date, cycle, reference_date;
    bool ok = true;
    for (int k = 0; ok && k < bulletin_count; ++k) {
        const std::string expected = station_ids[k % 4];
        if (k == 0) {
            // The first header must be the first six words of the file.
            ok = read_word(in, station) && station == expected;
        } else {
            // A station word that ends the file leaves no room for the rest of the header.
            ok = find_label(in, expected) && !in.eof();
            station = expected;
        }
        if (ok)
            layout.header_start[k] =
                static_cast<long long>(in.tellg()) - static_cast<long long>(station.size());
        ok = ok && read_word(in, model) && read_word(in, skipped) && read_word(in, skipped) &&
             read_word(in, date) && read_word(in, cycle);
        const int group = k / 4;
        ok = ok && (model == group_models[group][0] || model == group_models[group][1]) &&
             cycle == group_cycle[group] && (k == 0 || date == reference_date);
        if (k == 0) reference_date = date;
        if (ok) {
            // tellg fails once eofbit is set, as when the last cycle word ends the file.
            in.clear();
            layout.body_start[k] = static_cast<long long>(in.tellg());
        }
    }
    in.close();
    return ok;
}
