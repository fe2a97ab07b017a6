#include "ingest/bulletin_layout.h"

#include "reading/places.h"
#include "reading/reading.h"

#include <algorithm>
#include <istream>
#include <iterator>
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

// Whether the body that starts at body_start is an absent bulletin's; leaves the stream at
// body_start, where the search for the next header goes on.
static bool is_absent_body(std::istream& in, long long body_start) {
    std::string utc, marker;
    const bool absent =
        read_word(in, utc) && utc == "UTC" && read_word(in, marker) && marker == absent_marker;
    in.clear();
    in.seekg(body_start);
    return absent;
}

// The first bulletin of group g, numbered from 1, and its last: "bulletins 5 to 8".
static std::string group_name(int g) {
    return "bulletins " + std::to_string(g * station_count + 1) + " to " +
           std::to_string((g + 1) * station_count);
}

// The watch of the labels the readers look for in bulletin k's body.
static watched_words body_watch(bulletin_layout& layout, int k) {
    const int count = group_of(k) == 2 ? extended_label_count : noted_label_count;
    return watched_words{noted_labels, count, layout.first_label_at[k], false};
}

// Keeps what the watch over bulletin k's body noted.
static void keep_notes(bulletin_layout& layout, int k, const watched_words& watch) {
    layout.noted_count[k] = watch.complete ? watch.count : 0;
}

bool validate_bulletin_file(std::istream& in, bulletin_layout& layout, fault& why, int count) {
    std::string reference_date;
    layout.count = count;
    layout.end = -1;
    std::fill(std::begin(layout.noted_count), std::end(layout.noted_count), 0);
    int absent_in_group = 0;
    for (int k = 0; k < count; ++k) {
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
            watched_words body = body_watch(layout, k - 1);
            const bool found = find_label(in, expected, -1, &body);
            keep_notes(layout, k - 1, body);
            if (!found)
                return header_fault(
                    why, -1,
                    expected_header(k) +
                        (k == short_range_bulletin_count
                             ? "; the file holds bulletins 1 to 8 alone, short-range guidance "
                               "only (vuzazav-cli forecast --short-range-only issues days 1 and "
                               "2 from it)"
                             : "; no " + expected + " follows bulletin " + std::to_string(k)));
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
        if (station_of(k) == 0) absent_in_group = 0;
        layout.absent[k] = is_absent_body(in, layout.body_start[k]);
        if (layout.absent[k] && ++absent_in_group > most_absent_stations)
            return header_fault(why, h.station_at,
                                bulletin_name(layout, k) + " is absent, the third of " +
                                    group_name(group_of(k)) + "; at most " +
                                    std::to_string(most_absent_stations) +
                                    " of a group's four stations may be absent");
    }
    // What follows the short range is not read, nor searched for its rows.
    watched_words body = body_watch(layout, count - 1);
    if (count < bulletin_count) {
        if (find_label(in, station_ids[0], -1, &body)) layout.end = label_start(in, station_ids[0]);
    } else if (!layout.absent[count - 1]) {
        // The last body has no header after it: it is passed over until each of its rows'
        // labels has been seen, where the readers would stop.
        note_words(in, body);
    }
    keep_notes(layout, count - 1, body);
    return true;
}
