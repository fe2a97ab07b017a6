#include "reading/quote_word.h"
#include "ingest/validate_bulletin_file.h"

#include "reading/reading.h"

#include <fstream>
#include <string>

// The model words accepted and the cycle word required in each group of four bulletins.
static const char* const group_models[3][2] = {{"ETA", "ETA"}, {"AVN", "GFS"}, {"MRF", "GFSX"}};
static const char* const group_cycle[3] = {"1200", "1200", "0000"};

// What bulletin k must be, as the start of a fault.
static std::string expected_header(int k) {
    const int group = k / 4;
    std::string models = group_models[group][0];
    if (group > 0) models += std::string(" or ") + group_models[group][1];
    return "bulletin " + std::to_string(k + 1) + " of 12 should be " + station_ids[k % 4] +
           " with " + models + " at " + group_cycle[group];
}

// The stream position of word n (0 for the station word) of the header at start; only a
// fault needs it, so it is found by reading the header again.
static long long header_word_position(std::istream& in, long long start, int n) {
    in.clear();
    in.seekg(start);
    std::string word;
    for (int i = 0; i <= n; ++i) read_word(in, word);
    in.clear();
    long long end = static_cast<long long>(in.tellg());
    return end < 0 ? start : end - static_cast<long long>(word.size());
}

static bool refuse(file_note& fault, long long position, const std::string& what) {
    fault.position = position;
    fault.what = what;
    return false;
}

bool validate_bulletin_file(const char* file_name, bulletin_layout& layout, file_note& fault) {
    // Binary mode keeps stream positions byte offsets that the readers can seek to; words
    // are unchanged, since '\r' is white space.
    std::ifstream in(file_name, std::ios::in | std::ios::binary);
    std::string station, model, skipped, date, cycle, reference_date;
    for (int k = 0; k < bulletin_count; ++k) {
        const std::string expected = station_ids[k % 4];
        if (k == 0) {
            // The first header must be the first six words of the file.
            if (!read_word(in, station))
                return refuse(fault, -1, expected_header(k) + "; the file holds no word");
            in.clear();
            layout.header_start[k] =
                static_cast<long long>(in.tellg()) - static_cast<long long>(station.size());
            if (station != expected)
                return refuse(fault, layout.header_start[k],
                              expected_header(k) + "; found station word " + quote_word(station));
        } else {
            if (!find_label(in, expected))
                return refuse(fault, -1,
                              expected_header(k) + "; no " + expected + " follows bulletin " +
                                  std::to_string(k));
            // A station word that ends the file leaves no room for the rest of the header.
            bool at_end = in.eof();
            in.clear();
            layout.header_start[k] =
                static_cast<long long>(in.tellg()) - static_cast<long long>(expected.size());
            if (at_end)
                return refuse(fault, layout.header_start[k],
                              expected_header(k) + "; the file ends after its station word");
        }
        if (!read_word(in, model) || !read_word(in, skipped) || !read_word(in, skipped) ||
            !read_word(in, date) || !read_word(in, cycle))
            return refuse(fault, layout.header_start[k],
                          expected_header(k) + "; the file ends inside its header");
        const int group = k / 4;
        const long long start = layout.header_start[k];
        if (model == group_models[group][0])
            layout.model[k] = group_models[group][0];
        else if (model == group_models[group][1])
            layout.model[k] = group_models[group][1];
        else
            return refuse(fault, header_word_position(in, start, 1),
                          expected_header(k) + "; found model word " + quote_word(model));
        if (cycle != group_cycle[group])
            return refuse(fault, header_word_position(in, start, 5),
                          expected_header(k) + "; found cycle word " + quote_word(cycle));
        if (k == 0) reference_date = date;
        if (date != reference_date)
            return refuse(fault, header_word_position(in, start, 4),
                          bulletin_name(layout, k) + " should carry the date " +
                              quote_word(reference_date) + " of bulletin 1; found " +
                              quote_word(date));
        // tellg fails once eofbit is set, as when the last cycle word ends the file.
        in.clear();
        layout.body_start[k] = static_cast<long long>(in.tellg());
    }
    return true;
}
