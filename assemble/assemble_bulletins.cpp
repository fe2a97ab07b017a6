#include "assemble/assemble_bulletins.h"

#include "assemble/rewrite_guidance_header.h"
#include "assemble/scan_station_bulletins.h"
#include "ingest/bulletin_layout.h"
#include "calendar/bulletin_date.h"
#include "reading/reading.h"

#include <cstdint>
#include <sstream>

static const unsigned all_twelve = (1u << bulletin_count) - 1;

// The place of a bulletin in the file, 0 to 11, or -1 for one the file does not take.
static int slot_of(const bulletin_header& header) {
    for (int g = 0; g < 3; ++g) {
        const bulletin_group& group = bulletin_groups[g];
        if (header.cycle != group.cycle || (header.model != group.product_models[0] &&
                                            header.model != group.product_models[1]))
            continue;
        for (int s = 0; s < station_count; ++s)
            if (header.station == station_ids[s]) return g * station_count + s;
    }
    return -1;
}

// A bulletin that may go into the file, and the product it came from.
struct held_bulletin {
    bool present = false;
    utc_time date{0, 0, 0, 0};
    std::size_t product = 0;
    station_bulletin bulletin{};
};

// The slots that each date has, a bit per slot and an element per day of the bulletin
// years: a fixed table, however many dates the products hold.
using date_table = std::vector<std::uint16_t>;

static std::size_t day_index(const utc_time& d) {
    return static_cast<std::size_t>(((d.year - first_bulletin_year) * 12 + d.month - 1) * 31 +
                                    d.day - 1);
}

static utc_time date_at(std::size_t index) {
    const int i = static_cast<int>(index);
    return {i / (31 * 12) + first_bulletin_year, i / 31 % 12 + 1, i % 31 + 1, 0};
}

// Reads every product once. Each slot holds the bulletin of date only or, when only is
// null, of the latest date; seen, when not null, gets every date each slot has.
static bool read_products(const std::vector<std::string>& names, const utc_time* only,
                          held_bulletin* held, date_table* seen,
                          std::vector<fault>& problems) {
    int slot = -1;
    utc_time date{0, 0, 0, 0};
    std::size_t product = 0;
    auto keep = [&](const bulletin_header& header) {
        slot = slot_of(header);
        if (slot < 0 || !parse_bulletin_date(header.date_word, date)) return false;
        if (seen) (*seen)[day_index(date)] |= static_cast<std::uint16_t>(1u << slot);
        if (only) return same_day(date, *only);
        return !held[slot].present || !day_before(date, held[slot].date);
    };
    auto take = [&](station_bulletin& bulletin) {
        held[slot] = {true, date, product, std::move(bulletin)};
    };
    bool ok = true;
    fault problem;
    for (product = 0; product < names.size(); ++product) {
        if (!scan_station_bulletins(names[product], keep, take, problem)) {
            problems.push_back(problem);
            ok = false;
        }
    }
    return ok;
}

// A problem to list, with no place in any file.
static fault problem(const std::string& what) {
    return fault{fault_kind::refused_input, what, "", 0, -1};
}

static fault missing_line(int slot, const utc_time& date) {
    const bulletin_group& group = bulletin_groups[group_of(slot)];
    return problem(std::string("missing ") + station_ids[station_of(slot)] + " " +
                   group.product_models[0] + " or " + group.product_models[1] + " " + group.cycle +
                   " UTC bulletin of " + format_bulletin_date(date));
}

// The latest date that has all twelve; otherwise false, with what the latest date lacks.
static bool choose_date(const date_table& seen, utc_time& chosen,
                        std::vector<fault>& problems) {
    std::size_t latest = seen.size();
    for (std::size_t i = seen.size(); i-- > 0;) {
        if (seen[i] == all_twelve) {
            chosen = date_at(i);
            return true;
        }
        if (seen[i] != 0 && latest == seen.size()) latest = i;
    }
    if (latest == seen.size()) {
        problems.push_back(problem("no NAM, ETA, GFS, AVN, GFSX or MRF guidance bulletin of KBKX, "
                                   "KHON, KMHE or KFSD was found"));
        return false;
    }
    const utc_time date = date_at(latest);
    problems.push_back(problem("no date has all twelve bulletins; the latest, " +
                               format_bulletin_date(date) + ", lacks:"));
    for (int k = 0; k < bulletin_count; ++k)
        if (!(seen[latest] & (1u << k))) problems.push_back(missing_line(k, date));
    return false;
}

// A station word in a body would be taken for the next header by the run.
static const char* station_in_body(const std::string& text) {
    std::istringstream in(text.substr(text.find('\n') + 1));
    std::string word;
    while (read_word(in, word))
        for (const char* id : station_ids)
            if (word == id) return id;
    return nullptr;
}

static std::string described(const held_bulletin& h, const std::vector<std::string>& names) {
    const bulletin_header& header = h.bulletin.header;
    return "the " + header.station + " " + header.model + " " + header.cycle + " UTC bulletin of " +
           format_bulletin_date(h.date) + " in " + names[h.product];
}

bool assemble_bulletins(const std::vector<std::string>& product_names, const utc_time* wanted,
                        std::string& text, std::vector<fault>& problems) {
    text.clear();
    problems.clear();
    held_bulletin held[bulletin_count];
    utc_time date{0, 0, 0, 0};
    if (wanted) {
        if (!read_products(product_names, wanted, held, nullptr, problems)) return false;
        date = *wanted;
    } else {
        date_table seen(day_index({last_bulletin_year, 12, 31, 0}) + 1);
        if (!read_products(product_names, nullptr, held, &seen, problems) ||
            !choose_date(seen, date, problems))
            return false;
        // The slots hold the latest date of each; a later incomplete date makes a second
        // reading for the chosen one.
        bool all_held = true;
        for (const held_bulletin& h : held) all_held = all_held && h.present && same_day(h.date, date);
        if (!all_held) {
            for (held_bulletin& h : held) h = held_bulletin{};
            if (!read_products(product_names, &date, held, nullptr, problems)) return false;
            // The first reading saw all twelve; a pipe reads empty the second time.
            for (const held_bulletin& h : held) {
                if (h.present) continue;
                problems.push_back(problem("a product gave other bulletins when read again for " +
                                           format_bulletin_date(date) +
                                           "; give the date to read products from a pipe"));
                return false;
            }
        }
    }
    for (int k = 0; k < bulletin_count; ++k) {
        const held_bulletin& h = held[k];
        if (!h.present)
            problems.push_back(missing_line(k, date));
        else if (h.bulletin.too_long)
            problems.push_back(problem(described(h, product_names) + " has no end within " +
                                       std::to_string(max_bulletin_size) + " characters"));
        else if (const char* id = station_in_body(h.bulletin.text))
            problems.push_back(problem(described(h, product_names) + " holds the station word " + id));
    }
    if (!problems.empty()) return false;
    const std::string date_word = format_bulletin_date(date);
    for (int k = 0; k < bulletin_count; ++k) {
        const station_bulletin& b = held[k].bulletin;
        const std::size_t end = b.text.find('\n');
        if (k > 0) text += '\n';
        text += rewrite_guidance_header(b.text.substr(0, end), b.header, date_word);
        text.append(b.text, end, std::string::npos);
    }
    return true;
}
