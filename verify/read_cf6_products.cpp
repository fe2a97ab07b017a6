#include "verify/observations.h"

#include "calendar/utc_time.h"
#include "reading/places.h"
#include "reading/text_lines.h"

#include <cstring>
#include <istream>
#include <limits>

static const char title[] = "PRELIMINARY LOCAL CLIMATOLOGICAL DATA";
static const char* const month_names[12] = {"JANUARY",   "FEBRUARY", "MARCH",    "APRIL",
                                            "MAY",       "JUNE",     "JULY",     "AUGUST",
                                            "SEPTEMBER", "OCTOBER",  "NOVEMBER", "DECEMBER"};

// The columns read, in this order, as the column header line names them.
static const char* const column_names[] = {"DY", "MAX", "MIN"};
enum { day_column, max_column, min_column, column_count };

enum class product_part { heading, rows, after };

// The product being read.
struct cf6_product {
    bool open = false;
    bool passed_over = false; // another station's
    long long first_line = 0;
    int station = -1;
    int month = 0, year = 0;
    bool columns = false;
    // Each column's field: from the end of the header word before it to the end of its own.
    std::size_t from[column_count] = {}, to[column_count] = {};
    product_part part = product_part::heading;
    int rules = 0; // "====" lines since the column header
    bool rows = false;
};

struct cf6_reading {
    const std::string& file;
    std::string given; // the station argument, as an id with its K
    observed_days& into;
    std::vector<fault>& warnings;
    fault& why;
    std::string awips;    // the last AWIPS identifier line not yet taken by a product
    long long awips_line; // and where it stands
    cf6_product product;
    bool any_product = false;
};

static bool refuse(cf6_reading& r, long long line, const std::string& what) {
    r.why = fault{};
    r.why.kind = fault_kind::refused_input;
    r.why.what = what;
    r.why.file = r.file;
    r.why.line = line;
    return false;
}

static bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

static bool is_letter(char c) {
    return c >= 'A' && c <= 'Z';
}

static std::string first_word(const std::string& text) {
    std::size_t end = 0;
    while (end < text.size() && !is_blank(text[end])) ++end;
    return text.substr(0, end);
}

// The station an id names: "FSD" and "KFSD" are KFSD.
static std::string station_id(const std::string& id) {
    std::string word = in_capitals(id);
    return word.size() == 3 ? "K" + word : word;
}

// "CF6DSM": the AWIPS identifier of a CF6 product, CF6 and the station without its K.
static bool is_awips_line(const std::string& t) {
    if (t.size() < 4 || t.size() > 6 || t.compare(0, 3, "CF6") != 0) return false;
    for (std::size_t i = 3; i < t.size(); ++i)
        if (!is_letter(t[i]) && !is_digit(t[i])) return false;
    return true;
}

// word has the shape of pattern: 'A' a capital, '9' a digit, 'X' either.
static bool has_shape(const std::string& word, const char* pattern) {
    if (word.size() != std::strlen(pattern)) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const bool letter = is_letter(word[i]), digit = is_digit(word[i]);
        if (pattern[i] == 'A' ? !letter : pattern[i] == '9' ? !digit : !letter && !digit)
            return false;
    }
    return true;
}

// "CXUS53 KDMX 230920", with an optional "RRA" or "CCA": the start of a product.
static bool is_wmo_heading(const std::string& t) {
    if (t.size() < 18 || t.size() > 40) return false;
    std::string words[5];
    int count = 0;
    for (std::size_t at = 0; at < t.size() && count < 5;) {
        while (at < t.size() && is_blank(t[at])) ++at;
        const std::size_t start = at;
        while (at < t.size() && !is_blank(t[at])) ++at;
        if (at > start) words[count++] = t.substr(start, at - start);
    }
    return (count == 3 || (count == 4 && has_shape(words[3], "AAA"))) &&
           has_shape(words[0], "AAAA99") && has_shape(words[1], "XXXX") &&
           has_shape(words[2], "999999");
}

// The column header line, "DY MAX MIN AVG DEP ...": DY first, MAX and MIN after it. Values
// stand right-aligned under their header word, so a field ends where its word ends.
static bool place_columns(const std::string& line, cf6_product& p) {
    std::size_t found = 0, previous_end = 0;
    bool seen[column_count] = {};
    for (std::size_t at = 0; at < line.size();) {
        while (at < line.size() && is_blank(line[at])) ++at;
        const std::size_t start = at;
        while (at < line.size() && !is_blank(line[at])) ++at;
        if (at == start) break;
        const std::string word = line.substr(start, at - start);
        for (int c = 0; c < column_count; ++c) {
            if (seen[c] || word != column_names[c]) continue;
            if (c == day_column && found != 0) return false;
            if (c != day_column && !seen[day_column]) return false;
            seen[c] = true;
            p.from[c] = previous_end;
            p.to[c] = at;
            ++found;
            break;
        }
        if (found == 0) return false;
        if (found == column_count) return true;
        previous_end = at;
    }
    return false;
}

// A whole number of up to four digits with an optional minus, as the product writes them.
static bool parse_whole(const std::string& text, int& value) {
    const std::size_t sign = !text.empty() && text[0] == '-' ? 1 : 0;
    if (text.size() <= sign || text.size() > sign + 4) return false;
    int number = 0;
    for (std::size_t i = sign; i < text.size(); ++i) {
        if (!is_digit(text[i])) return false;
        number = number * 10 + (text[i] - '0');
    }
    value = sign ? -number : number;
    return true;
}

// Ends the product being read: a product of the four that never showed its columns has no
// days to give, which is no CF6 product as the user meant it.
static bool close_product(cf6_reading& r) {
    const cf6_product ended = r.product;
    r.product = cf6_product{};
    if (!ended.open || ended.passed_over || ended.columns) return true;
    return refuse(r, ended.first_line,
                  "the CF6 product that begins here has no column header line \"DY MAX MIN "
                  "...\"; its days cannot be found");
}

// Starts a product at line, with its station from the AWIPS identifier line before it or,
// where it has none (its heading lines cut off), from the station argument.
static bool open_product(cf6_reading& r, long long line) {
    if (!close_product(r)) return false;
    cf6_product& p = r.product;
    p.open = true;
    p.first_line = line;
    r.any_product = true;
    const std::string awips = r.awips;
    const long long awips_line = r.awips_line;
    r.awips.clear();
    std::string id = r.given, source = "--station";
    long long place = line;
    if (!awips.empty()) {
        id = station_id(awips.substr(3));
        source = awips;
        place = awips_line;
    }
    if (id.empty())
        return refuse(r, line,
                      "no station: the product has no CF6 identifier line; give --station ID "
                      "before the file");
    p.station = station_index(id);
    if (p.station >= 0) return true;
    p.passed_over = true;
    std::string known;
    for (int s = 0; s < station_count; ++s) known += std::string(s ? ", " : "") + station_ids[s];
    fault warning;
    warning.kind = fault_kind::refused_input;
    warning.what = id + " (" + source + ") is not one of " + known + "; its product is passed over";
    warning.file = r.file;
    warning.line = place;
    r.warnings.push_back(warning);
    return true;
}

// A line of the heading: MONTH, YEAR, or the column header that ends it.
static bool read_heading_line(cf6_reading& r, const std::string& line, long long number) {
    cf6_product& p = r.product;
    const std::string t = trimmed(line);
    if (t.compare(0, 6, "MONTH:") == 0) {
        const std::string name = first_word(trimmed(t, 6));
        p.month = 0;
        for (int m = 0; m < 12; ++m)
            if (in_capitals(name) == month_names[m]) p.month = m + 1;
        if (p.month == 0) return refuse(r, number, "MONTH: " + quote_word(name) + " is no month");
    } else if (t.compare(0, 5, "YEAR:") == 0) {
        const std::string text = first_word(trimmed(t, 5));
        int year = 0;
        if (text.size() != 4 || !parse_whole(text, year) || year < 1)
            return refuse(r, number, "YEAR: " + quote_word(text) + " is no year");
        p.year = year;
    } else if (first_word(t) == "DY" && place_columns(line, p)) {
        if (p.month == 0 || p.year == 0)
            return refuse(r, number,
                          std::string("the column header comes before the product names its ") +
                              (p.month == 0 && p.year == 0 ? "MONTH and YEAR"
                               : p.month == 0              ? "MONTH"
                                                           : "YEAR"));
        p.columns = true;
        p.part = product_part::rows;
    }
    return true;
}

// A line below the column header: the underline, a day, or the rule after the last day.
static bool read_row_line(cf6_reading& r, const std::string& line, long long number) {
    cf6_product& p = r.product;
    const std::string t = trimmed(line);
    if (t.empty()) return true;
    if (t.find_first_not_of('=') == std::string::npos) {
        if (p.rows || ++p.rules >= 2) p.part = product_part::after;
        return true;
    }
    std::string field[column_count];
    for (int c = 0; c < column_count; ++c) field[c] = trimmed(line, p.from[c], p.to[c]);
    int day = 0;
    if (!parse_whole(field[day_column], day) || day < 1)
        return refuse(r, number,
                      "the DY column holds " + quote_word(field[day_column]) +
                          " where a day of the month belongs");
    if (!is_real_date(p.year, p.month, day))
        return refuse(r, number,
                      std::string(month_names[p.month - 1]) + " " + std::to_string(p.year) +
                          " has no day " + std::to_string(day));
    const long long date = days_since_epoch(utc_time{p.year, p.month, day, 0});
    for (int c : {max_column, min_column}) {
        int value = 0;
        if (field[c] == "M") continue;
        if (!parse_whole(field[c], value))
            return refuse(r, number,
                          "day " + std::to_string(day) + ": the " + column_names[c] +
                              " column holds " + quote_word(field[c]) +
                              " where a whole number or M belongs");
        take_observation(r.into, date, p.station, c == max_column, value, r.file, number,
                         r.warnings);
    }
    p.rows = true;
    return true;
}

static bool read_line(cf6_reading& r, const std::string& line, long long number) {
    const std::string t = trimmed(line);
    if (t.compare(0, std::strlen(title), title) == 0) {
        // ", PAGE 2" goes on with the product above it.
        const std::size_t page = t.find("PAGE", std::strlen(title));
        if (page == std::string::npos || trimmed(t, page + 4) == "1")
            return open_product(r, number);
        r.product.part = product_part::after;
        return true;
    }
    if (is_awips_line(t)) {
        r.awips = t;
        r.awips_line = number;
        return close_product(r);
    }
    if (is_wmo_heading(t)) {
        r.awips.clear();
        return close_product(r);
    }
    if (!r.product.open) {
        // A product copied without its title starts at its first heading line.
        const std::string word = first_word(t);
        if (word != "STATION:" && word != "MONTH:" && word != "YEAR:" && word != "DY") return true;
        if (!open_product(r, number)) return false;
    }
    if (r.product.passed_over) return true;
    switch (r.product.part) {
    case product_part::heading:
        return read_heading_line(r, line, number);
    case product_part::rows:
        return read_row_line(r, line, number);
    case product_part::after:
        break;
    }
    return true;
}

bool read_cf6_products(std::istream& in, const std::string& file, const std::string& station,
                       observed_days& into, std::vector<fault>& warnings, fault& why) {
    cf6_reading r{file, station_id(trimmed(station)), into, warnings, why, {}, 0, {}, false};
    std::string line;
    long long number = 0;
    bool too_long = false;
    while (read_received_line(in, line, too_long)) {
        if (++number == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
        if (too_long) return refuse(r, number, too_long_line());
        if (!read_line(r, line, number)) return false;
    }
    if (in.bad()) return refuse(r, 0, "the file cannot be read to its end");
    if (!close_product(r)) return false;
    if (!r.any_product)
        return refuse(r, 0,
                      "no CF6 product: no line \"PRELIMINARY LOCAL CLIMATOLOGICAL DATA (WS "
                      "FORM: F-6)\"");
    return true;
}
