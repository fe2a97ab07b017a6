#include "assemble/assemble_bulletins.h"

#include "calendar/bulletin_date.h"
#include "diagnostics/fault.h"
#include "ingest/bulletin_header.h"
#include "ingest/bulletin_layout.h"
#include "reading/reading.h"
#include "reading/text_lines.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

// The most text a kept bulletin may hold. Real bulletins hold about two thousand
// characters, so a longer one is one whose end went unrecognised.
static constexpr std::size_t max_bulletin_size = 64 * 1024;

// One bulletin as received: its header line and the lines after it, each ending in "\n",
// without framing characters, line-end characters, heading lines and trailing blank lines.
struct station_bulletin {
    bulletin_header header;
    std::string text;
    bool too_long; // holds more than max_bulletin_size; text is then empty
};

// NOAAPort framing: the start and the end of a product, and the record separator that
// stands before each bulletin's station word.
static const char start_of_product = '\x01';
static const char end_of_product = '\x03';
static const char record_separator = '\x1e';

// Big blocks keep the line search in memchr; a line longer than a block is handed on in
// pieces.
static const std::size_t block_size = 1 << 18;

struct scan_state {
    const std::function<bool(const bulletin_header&)>& keep;
    const std::function<void(station_bulletin&)>& take;
    bool inside = false; // a kept bulletin is open
    station_bulletin current{};
    std::string line; // the line being looked at, without framing characters
};

static bool white(char c) {
    return is_white(static_cast<unsigned char>(c));
}

// Drops the last lines of text while they are blank.
static void drop_blank_tail(std::string& text) {
    while (text.size() > 1) {
        std::size_t start = text.rfind('\n', text.size() - 2);
        start = start == std::string::npos ? 0 : start + 1;
        if (start == 0 || !std::all_of(text.begin() + start, text.end(), white)) return;
        text.resize(start);
    }
}

static void end_bulletin(scan_state& s) {
    if (!s.inside) return;
    s.inside = false;
    drop_blank_tail(s.current.text);
    s.take(s.current);
}

// The line without record separators and without a byte-order mark at its start.
static void clean_line(const char* p, std::size_t n, std::string& line) {
    line.clear();
    for (std::size_t i = 0; i < n; ++i)
        if (p[i] != record_separator) line.push_back(p[i]);
    drop_byte_order_mark(line);
}

// Only a line whose last word is "UTC" can be a header; this spares the others a word read.
static bool ends_in_utc(const char* p, std::size_t n) {
    while (n > 0 && white(p[n - 1])) --n;
    return n >= 3 && std::memcmp(p + n - 3, "UTC", 3) == 0 && (n == 3 || white(p[n - 4]));
}

// Headers of other stations matter only as the end of a kept bulletin, so most are passed
// over on their first word.
static bool starts_with_station(const std::string& line) {
    std::size_t at = 0;
    while (at < line.size() && white(line[at])) ++at;
    for (const char* id : station_ids)
        if (line.compare(at, 4, id) == 0 && (line.size() == at + 4 || white(line[at + 4])))
            return true;
    return false;
}

static bool is_station(const std::string& word) {
    return std::find(std::begin(station_ids), std::end(station_ids), word) != std::end(station_ids);
}

static bool is_end_line(const std::string& line) {
    std::size_t first = 0, last = line.size();
    while (first < last && white(line[first])) ++first;
    while (last > first && white(line[last - 1])) --last;
    return line.compare(first, last - first, "$$") == 0;
}

// word has the shape of pattern: 'A' an upper-case letter, '9' a digit, 'X' either.
static bool has_shape(const std::string& word, const char* pattern) {
    if (word.size() != std::strlen(pattern)) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        bool letter = word[i] >= 'A' && word[i] <= 'Z', digit = word[i] >= '0' && word[i] <= '9';
        if (pattern[i] == 'A' ? !letter : pattern[i] == '9' ? !digit : !letter && !digit)
            return false;
    }
    return true;
}

// A WMO heading, "FOUS46 KWNO 121200" with an optional "RRA" or "CCA": the start of a product
// saved without framing.
static bool is_wmo_heading(const std::string& line) {
    if (line.size() < 18 || line.size() > 40) return false;
    std::istringstream in(line);
    std::string words[5];
    int count = 0;
    while (count < 5 && read_word(in, words[count])) ++count;
    return (count == 3 || (count == 4 && has_shape(words[3], "AAA"))) &&
           has_shape(words[0], "AAAA99") && has_shape(words[1], "XXXX") &&
           has_shape(words[2], "999999");
}

// Drops the sequence-number line that stands before a WMO heading.
static void drop_sequence_line(std::string& text) {
    drop_blank_tail(text);
    std::size_t start = text.rfind('\n', text.size() - 2);
    if (start == std::string::npos) return;
    auto last = text.begin() + static_cast<std::ptrdiff_t>(start) + 1;
    bool digit = std::any_of(last, text.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (digit &&
        std::all_of(last, text.end(), [](char c) { return white(c) || (c >= '0' && c <= '9'); }))
        text.resize(start + 1);
}

static void append_line(station_bulletin& b, const std::string& line) {
    if (b.too_long) return;
    if (b.text.size() + line.size() + 1 > max_bulletin_size) {
        b.too_long = true;
        std::string().swap(b.text);
        return;
    }
    b.text += line;
    b.text += '\n';
}

// One line between framing characters; whole is false for a piece of a line longer than a
// block, which is never a header.
static void take_line(scan_state& s, const char* p, std::size_t n, bool whole) {
    while (n > 0 && p[n - 1] == '\r') --n;
    if (whole && ends_in_utc(p, n)) {
        clean_line(p, n, s.line);
        bulletin_header header;
        if ((s.inside || starts_with_station(s.line)) && parse_header_line(s.line, header)) {
            end_bulletin(s);
            if (is_station(header.station) && s.keep(header)) {
                s.inside = true;
                s.current.header = std::move(header);
                s.current.text = s.line + '\n';
                s.current.too_long = false;
            }
            return;
        }
    } else {
        if (!s.inside) return;
        clean_line(p, n, s.line);
    }
    if (!s.inside) return;
    if (is_end_line(s.line)) {
        end_bulletin(s);
    } else if (is_wmo_heading(s.line)) {
        if (!s.current.too_long) drop_sequence_line(s.current.text);
        end_bulletin(s);
    } else {
        append_line(s.current, s.line);
    }
}

// One line of the file: SOH and ETX end a product wherever they stand.
static void take_framed_line(scan_state& s, const char* p, std::size_t n, bool whole) {
    for (;;) {
        const char* soh = static_cast<const char*>(std::memchr(p, start_of_product, n));
        const char* etx = static_cast<const char*>(std::memchr(p, end_of_product, n));
        const char* mark = !soh ? etx : !etx ? soh : std::min(soh, etx);
        if (!mark) break;
        if (mark > p) take_line(s, p, static_cast<std::size_t>(mark - p), whole);
        end_bulletin(s);
        n -= static_cast<std::size_t>(mark - p) + 1;
        p = mark + 1;
        if (n == 0) return;
    }
    take_line(s, p, n, whole);
}

static bool read_problem(const std::string& file_name, fault& problem) {
    problem = fault{fault_kind::refused_input,
                    "cannot read " + file_name + ": " + std::strerror(errno), "", 0, -1};
    return false;
}

// Reads the product file a block at a time and hands take, which may move from it, every
// bulletin of KBKX, KHON, KMHE or KFSD whose header keep accepts; nothing else is kept. A
// bulletin ends before the next header, a "$$" line, a WMO heading, an SOH or ETX, or the
// end of the file. Returns false, with problem naming the file and the system's reason,
// when the file cannot be opened or read to its end.
static bool scan_station_bulletins(const std::string& file_name,
                                   const std::function<bool(const bulletin_header&)>& keep,
                                   const std::function<void(station_bulletin&)>& take,
                                   fault& problem) {
    errno = 0;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(file_name.c_str(), "rb"),
                                                         std::fclose);
    if (!file) return read_problem(file_name, problem);
    // The blocks are read straight into the buffer below.
    std::setvbuf(file.get(), nullptr, _IONBF, 0);
    std::vector<char> block(block_size);
    scan_state s{keep, take, false, {}, {}};
    std::size_t held = 0;   // characters of an unfinished line at the start of block
    bool continued = false; // they continue a line whose start went on as a piece
    for (;;) {
        errno = 0;
        std::size_t got = std::fread(block.data() + held, 1, block.size() - held, file.get());
        if (got == 0 && std::ferror(file.get())) return read_problem(file_name, problem);
        const char* data = block.data();
        const std::size_t size = held + got;
        std::size_t start = 0;
        while (const void* end = std::memchr(data + start, '\n', size - start)) {
            std::size_t stop = static_cast<std::size_t>(static_cast<const char*>(end) - data);
            take_framed_line(s, data + start, stop - start, !continued);
            continued = false;
            start = stop + 1;
        }
        if (got == 0) {
            if (start < size) take_framed_line(s, data + start, size - start, !continued);
            break;
        }
        held = size - start;
        if (held == block.size()) {
            take_framed_line(s, data, held, false);
            held = 0;
            continued = true;
        } else {
            std::memmove(block.data(), data + start, held);
        }
    }
    end_bulletin(s);
    return true;
}

// Slots of the bulletins a file may take: places 0 to 11 of the file, NAM (or ETA) in 0 to
// 3, then places 12 to 15 for the National Blend's NBS bulletins, which stand in places 0
// to 3 when the four NAM ones are not all there.
static const int blend_slot = bulletin_count;
static const int slot_count = bulletin_count + station_count;
static const unsigned four_slots = (1u << station_count) - 1;
static const unsigned nam_slots = four_slots, blend_slots = four_slots << blend_slot;

// What makes a date's set whole: how many of each group's four stations must be there, and
// how many groups the file takes.
struct set_rule {
    int stations;
    int groups;
};
static set_rule rule_of(const assemble_options& options) {
    return {options.allow_missing_stations ? station_count - most_absent_stations : station_count,
            options.short_range_only ? short_range_bulletin_count / station_count : 3};
}

// How many of the four station slots from first the slots hold.
static int stations_at(unsigned slots, int first) {
    int n = 0;
    for (int s = 0; s < station_count; ++s) n += (slots >> (first + s)) & 1u;
    return n;
}

// Which short-range set a date's slots fill: NAM when all four are there, else NBM; where
// stations may be absent, the one with more of them (NAM on a tie); none when neither has
// enough.
enum class short_range { nam, nbm, none };
static short_range short_range_of(unsigned slots, const set_rule& rule) {
    if ((slots & nam_slots) == nam_slots) return short_range::nam;
    if ((slots & blend_slots) == blend_slots) return short_range::nbm;
    const int nam = stations_at(slots, 0), nbm = stations_at(slots, blend_slot);
    if (std::max(nam, nbm) < rule.stations) return short_range::none;
    return nam >= nbm ? short_range::nam : short_range::nbm;
}
static bool complete(unsigned slots, const set_rule& rule) {
    if (short_range_of(slots, rule) == short_range::none) return false;
    for (int g = 1; g < rule.groups; ++g)
        if (stations_at(slots, g * station_count) < rule.stations) return false;
    return true;
}

// Whether a bulletin's text, its header line first, is an absent one's, as this program
// writes them: no bulletin received, so none to take.
static bool is_absent_bulletin(const std::string& text) {
    std::istringstream body(text.substr(text.find('\n') + 1));
    std::string word;
    return read_word(body, word) && word == absent_marker;
}

// The slot of a bulletin, 0 to 15, or -1 for one the file does not take.
static int slot_of(const bulletin_header& header) {
    if (header.model == blend_model && header.cycle == bulletin_groups[0].cycle)
        for (int s = 0; s < station_count; ++s)
            if (header.station == station_ids[s]) return blend_slot + s;
    for (int g = 0; g < 3; ++g) {
        const bulletin_group& group = bulletin_groups[g];
        if (header.cycle != group.cycle ||
            (header.model != group.product_models[0] && header.model != group.product_models[1]))
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
using date_table = std::vector<std::uint32_t>;

static std::size_t day_index(const utc_time& d) {
    return static_cast<std::size_t>(((d.year - first_bulletin_year) * 12 + d.month - 1) * 31 +
                                    d.day - 1);
}

static utc_time date_at(std::size_t index) {
    const int i = static_cast<int>(index);
    return {i / (31 * 12) + first_bulletin_year, i / 31 % 12 + 1, i % 31 + 1, 0};
}

// Reads every product once. Each slot holds the bulletin of date only or, when only is
// null, of the latest date; seen, when not null, gets every date each slot has; found the
// latest date of all. An absent bulletin among the products is no bulletin received.
static bool read_products(const std::vector<std::string>& names, const utc_time* only,
                          unsigned excluded, held_bulletin* held, date_table* seen,
                          assemble_findings& found, std::vector<fault>& problems) {
    int slot = -1;
    utc_time date{0, 0, 0, 0};
    std::size_t product = 0;
    auto keep = [&](const bulletin_header& header) {
        slot = slot_of(header);
        if (slot >= 0 && (excluded >> slot & 1u)) slot = -1;
        if (slot < 0 || !parse_bulletin_date(header.date_word, date)) return false;
        if (!found.found || day_before(found.latest, date)) found.latest = date;
        found.found = true;
        // Without a date, every bulletin is looked at: an absent one's date is no date seen.
        return !only || same_day(date, *only);
    };
    auto take = [&](station_bulletin& bulletin) {
        if (is_absent_bulletin(bulletin.text)) return;
        if (seen) (*seen)[day_index(date)] |= static_cast<std::uint32_t>(1u << slot);
        if (!held[slot].present || !day_before(date, held[slot].date))
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

// The line for a missing bulletin of a slot; with_blend, for a NAM slot, also names the
// National Blend's bulletin that would stand in for it.
static fault missing_line(int slot, const utc_time& date, bool with_blend = false) {
    if (slot >= blend_slot)
        return problem(std::string("missing ") + station_ids[slot - blend_slot] + " " +
                       blend_model + " NBS " + bulletin_groups[0].cycle + " UTC bulletin of " +
                       format_bulletin_date(date));
    const bulletin_group& group = bulletin_groups[group_of(slot)];
    return problem(std::string("missing ") + station_ids[station_of(slot)] + " " +
                   group.product_models[0] + " or " + group.product_models[1] +
                   (with_blend ? std::string(", or ") + blend_model + " NBS," : "") + " " +
                   group.cycle + " UTC bulletin of " + format_bulletin_date(date));
}

// Each bulletin that date's slots lack for a whole file, of the groups that lack too many.
// Of the short-range set, those of the guidance looked for: the one forced, else the one
// nearer whole (NAM on a tie), else, with none of either there, both.
static void list_missing(unsigned slots, const utc_time& date, short_range_choice choice,
                         const set_rule& rule, std::vector<fault>& problems) {
    const int nam = stations_at(slots, 0), nbm = stations_at(slots, blend_slot);
    const bool blend =
        choice == short_range_choice::nbm || (choice == short_range_choice::either && nbm > nam);
    const bool both = choice == short_range_choice::either && nam == 0 && nbm == 0;
    if (short_range_of(slots, rule) == short_range::none)
        for (int s = 0; s < station_count; ++s) {
            const int slot = blend ? blend_slot + s : s;
            if (!(slots & (1u << slot))) problems.push_back(missing_line(slot, date, both));
        }
    for (int g = 1; g < rule.groups; ++g)
        if (stations_at(slots, g * station_count) < rule.stations)
            for (int k = g * station_count; k < (g + 1) * station_count; ++k)
                if (!(slots & (1u << k))) problems.push_back(missing_line(k, date));
    if (rule.stations < station_count)
        problems.push_back(problem("at most " + std::to_string(station_count - rule.stations) +
                                   " stations of a group of four may be absent"));
}

// The latest date any bulletin of the file's places carries, when it has all twelve;
// otherwise false, with what it lacks: an older complete date is never taken unasked, so
// yesterday's guidance is not issued as today's.
static bool choose_date(const date_table& seen, short_range_choice choice, const set_rule& rule,
                        utc_time& chosen, std::vector<fault>& problems) {
    std::size_t latest = seen.size();
    for (std::size_t i = seen.size(); i-- > 0 && latest == seen.size();)
        if (seen[i] != 0) latest = i;
    if (latest == seen.size()) {
        problems.push_back(problem("no NAM, ETA, NBM, GFS, AVN, GFSX or MRF guidance bulletin of "
                                   "KBKX, KHON, KMHE or KFSD was found"));
        return false;
    }
    chosen = date_at(latest);
    if (complete(seen[latest], rule)) return true;
    problems.push_back(problem("the latest date, " + format_bulletin_date(chosen) +
                               ", lacks bulletins; nothing is written (--date takes an older "
                               "date):"));
    list_missing(seen[latest], chosen, choice, rule, problems);
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

// The header line of the bulletin file: line, whose words header holds, with the date word
// written as date_word. Everything else stays as received; the blanks before the date give
// or take what the new date word needs, so that the cycle word keeps its column where they
// can.
static std::string rewrite_guidance_header(const std::string& line, const bulletin_header& header,
                                           const std::string& date_word) {
    std::string out = line;
    std::size_t at = static_cast<std::size_t>(header.date_at);
    const std::size_t old_size = header.date_word.size();
    if (date_word.size() >= old_size) {
        std::size_t blanks = 0;
        while (blanks < at && out[at - blanks - 1] == ' ') ++blanks;
        // One blank always stays between the date and the word before it.
        std::size_t taken = std::min(date_word.size() - old_size, blanks > 0 ? blanks - 1 : 0);
        out.replace(at - taken, old_size + taken, date_word);
    } else {
        out.replace(at, old_size, std::string(old_size - date_word.size(), ' ') + date_word);
    }
    return out;
}

static std::string described(const held_bulletin& h, const std::vector<std::string>& names) {
    const bulletin_header& header = h.bulletin.header;
    return "the " + header.station + " " + header.model + " " + header.cycle + " UTC bulletin of " +
           format_bulletin_date(h.date) + " in " + names[h.product];
}

bool assemble_bulletins(const std::vector<std::string>& product_names, const utc_time* wanted,
                        short_range_choice choice, std::string& text, std::string& taken_text,
                        std::vector<fault>& problems, assemble_findings* findings,
                        const assemble_options& options) {
    assemble_findings unused;
    assemble_findings& found = findings ? *findings : unused;
    found = assemble_findings{};
    const set_rule rule = rule_of(options);
    const int count = rule.groups * station_count;
    // A forced short-range guidance makes the other one's bulletins as foreign ones, and so
    // does a file of the short range alone of the extended ones.
    unsigned excluded = choice == short_range_choice::nam   ? blend_slots
                        : choice == short_range_choice::nbm ? nam_slots
                                                            : 0u;
    for (int k = count; k < bulletin_count; ++k) excluded |= 1u << k;
    text.clear();
    taken_text.clear();
    problems.clear();
    held_bulletin held[slot_count];
    utc_time date{0, 0, 0, 0};
    if (wanted) {
        if (!read_products(product_names, wanted, excluded, held, nullptr, found, problems))
            return false;
        date = *wanted;
    } else {
        date_table seen(day_index({last_bulletin_year, 12, 31, 0}) + 1);
        if (!read_products(product_names, nullptr, excluded, held, &seen, found, problems))
            return false;
        if (!choose_date(seen, choice, rule, date, problems)) {
            found.date_found = found.found;
            found.lacking = true;
            return false;
        }
        // The slots hold the latest date of each, and the chosen date is the latest of all.
        unsigned slots = 0;
        for (int k = 0; k < slot_count; ++k)
            if (held[k].present && same_day(held[k].date, date)) slots |= 1u << k;
        if (!complete(slots, rule)) {
            for (held_bulletin& h : held) h = held_bulletin{};
            if (!read_products(product_names, &date, excluded, held, nullptr, found, problems))
                return false;
            // The first reading saw all twelve; a pipe reads empty the second time.
            unsigned again = 0;
            for (int k = 0; k < slot_count; ++k)
                if (held[k].present) again |= 1u << k;
            if (!complete(again, rule)) {
                problems.push_back(problem("a product gave other bulletins when read again for " +
                                           format_bulletin_date(date) +
                                           "; give the date to read products from a pipe"));
                return false;
            }
        }
    }
    unsigned slots = 0;
    for (int k = 0; k < slot_count; ++k)
        if (held[k].present) slots |= 1u << k;
    found.date_found = slots != 0;
    if (!complete(slots, rule)) {
        list_missing(slots, date, choice, rule, problems);
        found.lacking = true;
        return false;
    }
    // NAM when all four are there, else the National Blend's bulletins. A place whose
    // bulletin is not there (null) is written as absent.
    const int short_first = short_range_of(slots, rule) == short_range::nam ? 0 : blend_slot;
    const held_bulletin* taken[bulletin_count];
    for (int k = 0; k < count; ++k) {
        const held_bulletin& h = held[k < station_count ? short_first + k : k];
        taken[k] = h.present ? &h : nullptr;
    }
    for (int k = 0; k < count; ++k) {
        if (!taken[k]) continue;
        const held_bulletin& h = *taken[k];
        if (h.bulletin.too_long)
            problems.push_back(problem(described(h, product_names) + " has no end within " +
                                       std::to_string(max_bulletin_size) + " characters"));
        else if (const char* id = station_in_body(h.bulletin.text))
            problems.push_back(
                problem(described(h, product_names) + " holds the station word " + id));
    }
    if (!problems.empty()) return false;
    const std::string date_word = format_bulletin_date(date);
    taken_text = date_word + ":";
    // Each group's first bulletin there gives its absent ones their header.
    const station_bulletin* group_first[3] = {};
    for (int g = 0; g < rule.groups; ++g) {
        // Each group's model words as received, the distinct ones joined by "/".
        std::string models;
        for (int s = station_count; s-- > 0;) {
            const held_bulletin* h = taken[g * station_count + s];
            if (h) group_first[g] = &h->bulletin;
        }
        for (int s = 0; s < station_count; ++s) {
            const held_bulletin* h = taken[g * station_count + s];
            if (!h) continue;
            const std::string& model = h->bulletin.header.model;
            if (("/" + models + "/").find("/" + model + "/") == std::string::npos)
                models += (models.empty() ? "" : "/") + model;
        }
        const bulletin_header& first = group_first[g]->header;
        taken_text +=
            std::string(g ? ", " : " ") + models + " " + first.kind[0] + " " + first.cycle + " UTC";
    }
    for (int k = 0; k < count; ++k) {
        const station_bulletin& b = taken[k] ? taken[k]->bulletin : *group_first[group_of(k)];
        const std::size_t end = b.text.find('\n');
        if (k > 0) text += '\n';
        std::string header = rewrite_guidance_header(b.text.substr(0, end), b.header, date_word);
        if (taken[k]) {
            text += header;
            text.append(b.text, end, std::string::npos);
            continue;
        }
        // All station words have four letters: the header keeps its columns.
        header.replace(static_cast<std::size_t>(b.header.station_at), b.header.station.size(),
                       station_ids[station_of(k)]);
        text += header + "\n" + absent_body + "\n";
        found.absent.push_back(std::string(station_ids[station_of(k)]) + " " + b.header.model +
                               " " + b.header.kind[0] + " " + b.header.cycle + " UTC bulletin of " +
                               date_word);
    }
    return true;
}
