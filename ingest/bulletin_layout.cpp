#include "ingest/bulletin_layout.h"

#include "reading/places.h"
#include "reading/reading.h"

#include <istream>
#include <string>

std::string bulletin_name(const bulletin_layout& layout, int k) {
    return "bulletin " + std::to_string(k + 1) + " (" + station_ids[station_of(k)] + " " +
           layout.header[k].model + ")";
}

// What bulletin k must be, as the start of a fault.
static std::string expected_header(int k) {
    const bulletin_group& group = bulletin_groups[group_of(k)];
    // "ETA", "AVN or GFS", "ETA, NAM or NBM".
    int count = 1;
    while (count < 3 && group.file_models[count]) ++count;
    std::string models = group.file_models[0];
    for (int i = 1; i < count; ++i)
        models += std::string(i + 1 == count ? " or " : ", ") + group.file_models[i];
    return "bulletin " + std::to_string(k + 1) + " of 12 should be " + station_ids[station_of(k)] +
           " with " + models + " at " + group.cycle;
}

static bool header_fault(fault& why, long long position, const std::string& what) {
    why = fault{fault_kind::invalid_bulletins, what, "", 0, position};
    return false;
}

// The stream position where the station word just found by find_label starts.
static long long label_start(std::istream& in, const std::string& label) {
    in.clear();
    return static_cast<long long>(in.tellg()) - static_cast<long long>(label.size());
}

bool validate_bulletin_file(std::istream& in, bulletin_layout& layout, fault& why) {
    std::string reference_date;
    for (int k = 0; k < bulletin_count; ++k) {
        const std::string expected = station_ids[station_of(k)];
        bulletin_header& h = layout.header[k];
        h = bulletin_header{};
        if (k == 0) {
            // The first header must be the first six words of the file.
            if (!read_word(in, h.station))
                return header_fault(why, -1, expected_header(k) + "; the file holds no word");
            h.station_at = label_start(in, h.station);
            if (h.station != expected)
                return header_fault(why, h.station_at,
                                    expected_header(k) + "; found station word " +
                                        quote_word(h.station));
        } else {
            if (!find_label(in, expected))
                return header_fault(why, -1,
                                    expected_header(k) + "; no " + expected + " follows bulletin " +
                                        std::to_string(k));
            // A station word that ends the file leaves no room for the rest of the header.
            const bool at_end = in.eof();
            h.station = expected;
            h.station_at = label_start(in, expected);
            if (at_end)
                return header_fault(why, h.station_at,
                                    expected_header(k) + "; the file ends after its station word");
        }
        if (!read_header_words(in, h))
            return header_fault(why, h.station_at,
                                expected_header(k) + "; the file ends inside its header");
        const bulletin_group& group = bulletin_groups[group_of(k)];
        bool known = false;
        for (const char* model : group.file_models) known = known || (model && h.model == model);
        if (!known)
            return header_fault(why, h.model_at,
                                expected_header(k) + "; found model word " + quote_word(h.model));
        if (h.cycle != group.cycle)
            return header_fault(why, h.cycle_at,
                                expected_header(k) + "; found cycle word " + quote_word(h.cycle));
        if (k == 0) reference_date = h.date_word;
        if (h.date_word != reference_date)
            return header_fault(why, h.date_at,
                                bulletin_name(layout, k) + " should carry the date " +
                                    quote_word(reference_date) + " of bulletin 1; found " +
                                    quote_word(h.date_word));
        // tellg fails once eofbit is set, as when the last cycle word ends the file.
        in.clear();
        layout.body_start[k] = static_cast<long long>(in.tellg());
    }
    return true;
}
