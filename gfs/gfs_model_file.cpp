#include "gfs/gfs_model_file.h"

#include "calendar/bulletin_date.h"
#include "reading/places.h"
#include "reading/reading.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ios>
#include <istream>
#include <sstream>
#include <string>
#include <vector>

// The one field header the run knows: field names, their levels, then the unit of each
// of the eleven fields. The cut words are part of the format.
// clang-format off
const char* const gfs_header_words[gfs_header_word_count] = {
    "FIELD", "MEAN", "SEA-LEVEL", "2", "M", "TEMPERATUR", "TEMPERATURE", "TEMPERATURE",
    "TEMPERATURE", "THICKNESS", "2", "METER", "RELATI", "6HR", "PRECIPITAT", "AVERAGE", "TOTAL",
    "WIND", "DIRECTION", "WIND", "SPEED",
    "LEVEL", "850", "MB", "700", "MB", "500", "MB", "500", "MB", "10", "M", "10", "M",
    "UNITS", "HPA", "DEGC", "DEGC", "DEGC", "DEGC", "DM", "PCT", "MM", "PCT", "DEG", "KNTS",
};
// clang-format on

// The word that opens the header.
static const std::string first_word = gfs_header_words[0];

static bool field_header_fault(fault& why, long long position, const std::string& what) {
    why = fault{fault_kind::incorrect_format, what, "", 0, position};
    return false;
}

bool check_gfs_header(std::istream& in, long long& field_at, fault& why) {
    // Only a word followed by more input can open the header, so a "FIELD" that ends the
    // file ends the search.
    if (!find_label(in, first_word))
        return field_header_fault(why, -1,
                                  "no field header: the word \"FIELD\" is not in the file");
    if (in.eof()) {
        in.clear();
        return field_header_fault(
            why, static_cast<long long>(in.tellg()) - static_cast<long long>(first_word.size()),
            "the file ends right after \"FIELD\", where the field header begins");
    }
    in.clear();
    field_at = static_cast<long long>(in.tellg()) - static_cast<long long>(first_word.size());
    std::string word;
    // A failed read would keep the previous word, which could equal the next expected one
    // ("DEGC"), so it counts as a mismatch at once.
    for (int i = 1; i < gfs_header_word_count; ++i) {
        const std::string expected = "field header word " + std::to_string(i + 1) + " should be " +
                                     quote_word(gfs_header_words[i]);
        if (!read_word(in, word))
            return field_header_fault(why, -1, expected + "; the file ends first");
        if (word != gfs_header_words[i]) {
            in.clear();
            return field_header_fault(
                why, static_cast<long long>(in.tellg()) - static_cast<long long>(word.size()),
                expected + "; found " + quote_word(word));
        }
    }
    return true;
}

// The word after which the rows start.
static const char* const data_label = "FHR";

// Items of a row in reading order: a mark, the hour, a mark, then the eleven values.
static const int row_items = 14;

// Reads item i of a row. The marks are taken unexamined: a row written without them gives
// up the first character of its hour or of its first value instead.
static bool read_item(std::istream& in, gfs_row& row, int i) {
    double* const values[] = {&row.mslp,  &row.t2m,       &row.t850,      &row.t700,
                              &row.t500,  &row.thickness, &row.rh,        &row.precip,
                              &row.cloud, &row.wind_dir,  &row.wind_speed};
    char mark = 0;
    if (i == 0 || i == 2) return read_mark(in, mark);
    if (i == 1) return read_int(in, row.hour);
    return read_double(in, *values[i - 3]);
}

static bool read_row(std::istream& in, gfs_row& row) {
    for (int i = 0; i < row_items; ++i)
        if (!read_item(in, row, i)) return false;
    return true;
}

// Says what is wrong with row bad, the first that failed. The fault path alone reads the
// rows again, noting where each item of that row starts, so that reading a good file costs
// nothing more.
static bool row_fault(std::istream& in, gfs_row* rows, int bad, fault& why) {
    const std::string row_name =
        "row " + std::to_string(bad + 1) + " of " + std::to_string(gfs_row_count);
    why = fault{fault_kind::incorrect_format,
                "the file holds " + std::to_string(bad) + " of the " +
                    std::to_string(gfs_row_count) + " rows",
                "", 0, -1};
    in.clear();
    if (!in.seekg(0) || !find_label(in, data_label)) return false;
    for (int r = 0; r < bad; ++r) read_row(in, rows[r]);
    long long row_start = -1;
    for (int i = 0; i < row_items; ++i) {
        // The item's first character, after the white space its read skips.
        in >> std::ws;
        const bool at_end = in.eof();
        in.clear();
        const long long start = static_cast<long long>(in.tellg());
        if (i == 0) row_start = start;
        if (at_end) {
            if (i > 0) {
                why.position = row_start;
                why.what = row_name + " ends with the end of the file";
            }
            return false;
        }
        if (read_item(in, rows[bad], i)) continue;
        bool begun = false;
        const std::string word = quoted_word_at(in, start, &begun);
        // A word whose front the previous value took ("1O.5" read as 1) is that value's.
        const int culprit = begun && i > 3 ? i - 1 : i;
        why.position = start;
        why.what = row_name;
        if (culprit == 1)
            why.what += ": the hour (" + word + ") is no whole number";
        else
            why.what += ": value " + std::to_string(culprit - 2) + " (" + word + ") is no number";
        return false;
    }
    return false;
}

bool read_gfs_rows(std::istream& in, gfs_row* rows, long long* row_at, fault& why, long long from) {
    in.clear();
    if (!in.seekg(from) || !find_label(in, data_label)) {
        why = fault{fault_kind::incorrect_format,
                    "no word \"FHR\" before the end of the file, so no rows", "", 0, -1};
        return false;
    }
    for (int i = 0; i < gfs_row_count; ++i) {
        // Where the row starts, for a value the conversion cannot take later.
        in >> std::ws;
        const bool at_end = in.eof();
        in.clear();
        row_at[i] = static_cast<long long>(in.tellg());
        if (at_end) in.setstate(std::ios::eofbit);
        if (!read_row(in, rows[i])) return row_fault(in, rows, i, why);
    }
    return true;
}

// The preamble may be long (archives pad it), so it is read once, a block at a time, up to
// the header's "FIELD", and searched for the characters that may start or end what the
// run takes from it: "F" ("FIELD", "FHR") and ":" ("RUN:", "POINT:"); text seldom holds
// colons.
static const long long preamble_block = 1 << 16;
// Characters of a block kept beside the next, so that the word before a colon is seen
// without going back in the stream unless blanks stand far apart.
static const long long preamble_carry = 64;
// Characters of the POINT: line that are read: its words come first.
static const std::size_t longest_point_line = 4096;

// Where the preamble has its items; -1 for none.
struct preamble_places {
    long long field = -1; // the first word "FIELD", which ends the preamble
    long long fhr = -1;   // the first word "FHR" before it
    long long point = -1; // start of the first line that begins with "POINT:"
    long long run = -1;   // right after the first word "RUN:" that follows the word "MODEL"
};

// Whether the last word before stream position end is the whole word "MODEL", read back
// over any blanks a piece at a time. Leaves the stream's position undefined.
static bool model_word_before(std::streambuf* buf, long long end) {
    char piece[preamble_carry];
    while (end > 0) {
        const long long from = std::max(0LL, end - preamble_carry);
        if (buf->pubseekpos(from, std::ios::in) != from ||
            buf->sgetn(piece, end - from) != end - from)
            return false;
        long long p = end - 1;
        while (p >= from && is_white(static_cast<unsigned char>(piece[p - from]))) --p;
        if (p < from) {
            end = from;
            continue;
        }
        // The word's last five characters and the one before them decide.
        const long long first = std::max(0LL, p - 5), n = p + 1 - first;
        char word[6];
        if (buf->pubseekpos(first, std::ios::in) != first || buf->sgetn(word, n) != n) return false;
        return n >= 5 && std::memcmp(word + n - 5, "MODEL", 5) == 0 &&
               (n == 5 || is_white(static_cast<unsigned char>(word[0])));
    }
    return false;
}

// A block of the preamble: data[0] stands at stream position base, and len characters
// are held.
struct preamble_block_view {
    const char* data;
    long long base, len;
    bool white(long long p) const { return is_white(static_cast<unsigned char>(data[p - base])); }
    bool holds(long long p, const char* text, long long n) const {
        return p >= base && p + n <= base + len &&
               std::memcmp(data + (p - base), text, static_cast<std::size_t>(n)) == 0;
    }
};

// Takes what the colon at position c ends, when it ends "POINT" at the start of a line or
// the word "RUN:" after the word "MODEL". The character after it is held.
static void look_at_colon(std::streambuf* buf, const preamble_block_view& b, long long c,
                          preamble_places& found) {
    if (found.point < 0 && b.holds(c - 5, "POINT", 5) &&
        (c == 5 || (c - 6 >= b.base && b.data[c - 6 - b.base] == '\n')))
        found.point = c - 5;
    if (found.run >= 0 || c + 1 >= b.base + b.len || !b.white(c + 1) || !b.holds(c - 3, "RUN", 3) ||
        (c > 3 && (c - 4 < b.base || !b.white(c - 4))))
        return;
    long long p = c - 4;
    while (p >= b.base && b.white(p)) --p;
    bool model = false;
    if (p >= b.base && (p == 4 || p - 5 >= b.base)) {
        model = b.holds(p - 4, "MODEL", 5) && (p == 4 || b.white(p - 5));
    } else if (p > 4 || p < b.base) {
        // Blanks or the word reach back beyond the block.
        model = model_word_before(buf, p + 1);
        buf->pubseekpos(b.base + b.len, std::ios::in);
    }
    if (model) found.run = c + 1;
}

// Whether the word label stands whole at position q: the character before it is held,
// unless q starts the input.
static bool whole_word_at(const preamble_block_view& b, long long q, const char* label,
                          long long n) {
    return b.holds(q, label, n) && (q == 0 || (q > b.base && b.white(q - 1))) &&
           (q + n == b.base + b.len || b.white(q + n));
}

// One pass from the start of the stream to its first word "FIELD".
static preamble_places find_preamble_places(std::istream& in) {
    preamble_places found;
    std::streambuf* buf = in.rdbuf();
    if (buf->pubseekpos(0, std::ios::in) != 0) return found;
    std::vector<char> data(preamble_block + preamble_carry);
    long long base = 0, len = 0, next = 0; // next: the first position not yet searched
    for (;;) {
        const long long got = buf->sgetn(data.data() + len, preamble_block);
        len += got;
        // A candidate needs the characters after it, but at the end of the input.
        const long long stop = got > 0 ? base + len - 5 : base + len;
        const preamble_block_view b{data.data(), base, len};
        // The next colon and the next "F" from next on, each sought again once passed.
        const auto seek = [&](char c, long long from) {
            const void* hit = from < stop ? std::memchr(data.data() + (from - base), c,
                                                        static_cast<std::size_t>(stop - from))
                                          : nullptr;
            return hit ? base + (static_cast<const char*>(hit) - data.data()) : stop;
        };
        long long colon = seek(':', next), f = seek('F', next);
        while (std::min(colon, f) < stop) {
            const long long c = std::min(colon, f);
            next = c + 1;
            if (c == colon) {
                look_at_colon(buf, b, c, found);
                colon = seek(':', next);
                continue;
            }
            if (whole_word_at(b, c, "FIELD", 5)) {
                found.field = c;
                return found;
            }
            if (found.fhr < 0 && whole_word_at(b, c, "FHR", 3)) found.fhr = c;
            f = seek('F', next);
        }
        next = std::max(next, stop);
        if (got <= 0) return found;
        const long long keep = std::min(len, preamble_carry);
        std::memmove(data.data(), data.data() + (len - keep), static_cast<std::size_t>(keep));
        base += len - keep;
        len = keep;
    }
}

// The degrees after word in words, signed by the hemisphere word after them.
static bool read_degrees(std::istringstream& words, const char* word, char positive, char negative,
                         double& degrees) {
    words.clear();
    words.seekg(0);
    std::string w, number, side;
    while (words >> w) {
        if (w != word) continue;
        if (!(words >> number >> side) || !parse_number(number, degrees)) return false;
        if (side == std::string(1, positive)) return true;
        if (side != std::string(1, negative)) return false;
        degrees = -degrees;
        return true;
    }
    return false;
}

static bool read_point(std::istream& in, long long line_at, gfs_model& model) {
    std::streambuf* buf = in.rdbuf();
    const long long after = line_at + 6;
    if (buf->pubseekpos(after, std::ios::in) != after) return false;
    std::string line;
    for (int c = buf->sbumpc(); c != EOF && c != '\n' && line.size() < longest_point_line;
         c = buf->sbumpc())
        line += static_cast<char>(c);
    std::istringstream words(line);
    double lat = 0, lon = 0;
    if (!read_degrees(words, "LAT", 'N', 'S', lat) || !read_degrees(words, "LON", 'E', 'W', lon))
        return false;
    model.latitude = lat;
    model.longitude = lon;
    return true;
}

static bool read_run(std::istream& in, long long words_at, gfs_model& model) {
    in.clear();
    if (!in.seekg(words_at)) return false;
    std::string words[6];
    for (std::string& w : words)
        if (!read_word(in, w)) return false;
    return parse_model_run(words, model.run_time);
}

static bool read_model(std::istream& in, const std::string& name, gfs_model& model, fault& why) {
    in.clear();
    const preamble_places places = find_preamble_places(in);
    // The header's and the rows' searches start where the pass found their words, and
    // from the start, to say what is wrong, where it found none.
    in.clear();
    in.seekg(places.field >= 0 ? places.field : 0);
    long long field_at = -1;
    const long long rows_from = places.fhr >= 0 ? places.fhr : std::max(places.field, 0LL);
    if (!check_gfs_header(in, field_at, why) ||
        !read_gfs_rows(in, model.rows, model.row_at, why, rows_from)) {
        why.file = name;
        place_line(in, why);
        return false;
    }
    in.clear();
    model.run_known = places.run >= 0 && read_run(in, places.run, model);
    in.clear();
    model.point_known = places.point >= 0 && read_point(in, places.point, model);
    return true;
}

bool load_gfs_file(std::istream& in, const std::string& name, gfs_model& model, fault& why) {
    // A damaged disk makes the stream buffer throw, since the readers take characters from
    // it directly; that is a file that cannot be read, like any other.
    try {
        return read_model(in, name, model, why);
    } catch (const std::ios_base::failure&) {
        why = fault{fault_kind::missing_file, std::strerror(EIO), name, 0, -1};
        return false;
    }
}
