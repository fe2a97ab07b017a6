#include "verify/observation_files.h"

#include "calendar/iso_date.h"
#include "calendar/utc_time.h"
#include "reading/places.h"
#include "reading/reading.h"
#include "reading/text_lines.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <istream>
#include <limits>

// The columns read, in this order: those of the daily summaries, then the hourly ones
// (ASOS: the time in UTC, the temperature, the report itself).
static const char* const wanted_columns[] = {"station", "day",  "max_temp_f", "min_temp_f",
                                             "valid",   "tmpf", "metar"};
enum {
    station_column,
    day_column,
    max_column,
    min_column,
    valid_column,
    tmpf_column,
    metar_column,
    wanted_count
};

// Hands take(index, field) each field of line between commas, and counts them; only the
// fields wanted are kept, so a line of a million commas costs no million strings. The
// Mesonet quotes nothing, but a spreadsheet that saved the file may have: a field that
// begins with a quote runs to the closing one, and a doubled quote inside stands for one.
// False with what at an unclosed quote or at text after a closing one.
template <class take_field>
static bool split_fields(const std::string& line, std::size_t& count, std::string& what,
                         take_field take) {
    count = 0;
    std::size_t at = 0;
    std::string field;
    for (;;) {
        std::size_t start = at;
        while (at < line.size() && is_blank(line[at])) ++at;
        field.clear();
        if (at < line.size() && line[at] == '"') {
            for (++at;; ++at) {
                if (at >= line.size()) {
                    what = "the quote that opens field " + std::to_string(count + 1) +
                           " is not closed on its line";
                    return false;
                }
                if (line[at] == '"') {
                    if (at + 1 < line.size() && line[at + 1] == '"')
                        ++at;
                    else
                        break;
                }
                field += line[at];
            }
            ++at;
            while (at < line.size() && is_blank(line[at])) ++at;
            if (at < line.size() && line[at] != ',') {
                what = "field " + std::to_string(count + 1) + " has text after its closing quote";
                return false;
            }
        } else {
            at = line.find(',', start);
            if (at == std::string::npos) at = line.size();
            field.assign(line, start, at - start);
        }
        take(count++, field);
        if (at >= line.size()) return true;
        ++at;
    }
}

static bool is_digit_text(const std::string& text) {
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return !text.empty();
}

// The word of text that begins at or after at, between blanks; empty where there is none.
// at moves to the end of the word.
static std::string next_word(const std::string& text, std::size_t& at) {
    while (at < text.size() && is_blank(text[at])) ++at;
    const std::size_t start = at;
    while (at < text.size() && !is_blank(text[at])) ++at;
    return text.substr(start, at - start);
}

// text as YYYY-MM-DD; false with what when it is not of that form or no day of the calendar.
static bool parse_day(const std::string& text, long long& day, std::string& what) {
    utc_time date{0, 0, 0, 0};
    if (!parse_iso_date(text, date)) {
        what = "the day " + quote_word(text) + " is no date of the form YYYY-MM-DD that exists";
        return false;
    }
    day = days_since_epoch(date);
    return true;
}

// "2026-12-08 06:53" (UTC), as the mesonet writes an ASOS reading's time, in minutes.
static bool parse_valid_time(const std::string& text, long long& minute) {
    utc_time date{0, 0, 0, 0};
    if (text.size() != 16 || text[10] != ' ' || text[13] != ':' ||
        !parse_iso_date(text.substr(0, 10), date) || !is_digit_text(text.substr(11, 2)) ||
        !is_digit_text(text.substr(14, 2)))
        return false;
    const int hour = std::stoi(text.substr(11, 2)), minutes = std::stoi(text.substr(14, 2));
    if (hour > 23 || minutes > 59) return false;
    minute = (days_since_epoch(date) * 24 + hour) * 60 + minutes;
    return true;
}

// What a report gives: its reading and six-hour groups, each where there is one.
static void take_report(observations& into, int station, long long minute,
                        const metar_temperatures& t, const std::string& file, long long line,
                        warning_list& warnings) {
    take_reading(into, station, {minute, t.now_f, reading_kind::now}, file, line, warnings);
    take_reading(into, station, {minute, t.six_hour_max_f, reading_kind::six_hour_max}, file, line,
                 warnings);
    take_reading(into, station, {minute, t.six_hour_min_f, reading_kind::six_hour_min}, file, line,
                 warnings);
}

bool read_mesonet_csv(std::istream& in, const std::string& file, observations& into,
                      warning_list& warnings, fault& why) {
    auto refuse = [&](long long line, const std::string& what) {
        why = fault{fault_kind::refused_input, what, file, line};
        return false;
    };
    std::string line, what;
    std::string wanted[wanted_count];
    long long number = 0;
    bool header = false;
    bool too_long = false;
    while (!header && read_received_line(in, line, too_long)) {
        if (++number == 1) drop_byte_order_mark(line);
        if (too_long) return refuse(number, too_long_line());
        header = !trimmed(line).empty();
    }
    if (!header) {
        if (in.bad()) return refuse(0, "the file cannot be read to its end");
        return refuse(0, "the file holds no header line naming the columns station, day, "
                         "max_temp_f and min_temp_f");
    }
    std::size_t column[wanted_count], count = 0;
    std::string twice;
    for (std::size_t& c : column) c = std::string::npos;
    auto name_column = [&](std::size_t index, const std::string& field) {
        const std::string name = in_capitals(trimmed(field));
        for (int c = 0; c < wanted_count; ++c) {
            if (name != in_capitals(wanted_columns[c])) continue;
            if (column[c] != std::string::npos && twice.empty()) twice = wanted_columns[c];
            column[c] = index;
        }
    };
    if (!split_fields(line, count, what, name_column)) return refuse(number, what);
    if (!twice.empty()) return refuse(number, "the header names the " + twice + " column twice");
    // The ASOS download names its time "valid"; the daily summaries name their date "day".
    const bool hourly = column[valid_column] != std::string::npos;
    if (hourly && column[tmpf_column] == std::string::npos &&
        column[metar_column] == std::string::npos)
        return refuse(number, "the header names no tmpf or metar column");
    for (int c : {station_column, day_column, max_column, min_column})
        if (column[c] == std::string::npos && (c == station_column || !hourly))
            return refuse(number,
                          std::string("the header names no ") + wanted_columns[c] + " column");
    while (read_received_line(in, line, too_long)) {
        ++number;
        if (too_long) return refuse(number, too_long_line());
        if (trimmed(line).empty()) continue;
        std::size_t fields = 0;
        for (std::string& w : wanted) w.clear();
        auto keep = [&](std::size_t index, const std::string& field) {
            for (int c = 0; c < wanted_count; ++c)
                if (index == column[c]) wanted[c] = trimmed(field);
        };
        if (!split_fields(line, fields, what, keep)) return refuse(number, what);
        if (fields != count)
            return refuse(number, "the line has " + std::to_string(fields) +
                                      " fields where the header has " + std::to_string(count));
        const int station = station_index(wanted[station_column]);
        if (station < 0) continue;
        if (hourly) {
            long long minute = 0;
            if (!parse_valid_time(wanted[valid_column], minute))
                return refuse(number, "the time " + quote_word(wanted[valid_column]) +
                                          " is no time of the form YYYY-MM-DD HH:MM that exists");
            metar_temperatures t = decode_metar(wanted[metar_column]);
            const std::string& tmpf = wanted[tmpf_column];
            if (std::isnan(t.now_f) && !tmpf.empty() && tmpf != "M" && tmpf != "None" &&
                !parse_number(tmpf, t.now_f))
                return refuse(number, "tmpf " + quote_word(tmpf) + " is no number");
            take_report(into, station, minute, t, file, number, warnings);
            continue;
        }
        long long day = 0;
        if (!parse_day(wanted[day_column], day, what)) return refuse(number, what);
        for (int c : {max_column, min_column}) {
            const std::string& text = wanted[c];
            // The Mesonet writes M, or None where asked for Python's missing value.
            if (text.empty() || text == "M" || text == "None") continue;
            double value = std::numeric_limits<double>::quiet_NaN();
            if (!parse_number(text, value))
                return refuse(number, std::string(wanted_columns[c]) + " " + quote_word(text) +
                                          " is no number");
            take_observation(into, day, station, c == max_column, value, file, number, warnings);
        }
    }
    if (in.bad()) return refuse(0, "the file cannot be read to its end");
    return true;
}

// A group of a report: 'M' for a minus, '9' for a digit, other characters as they stand.
static bool group_shape(const std::string& word, const char* shape) {
    if (word.size() != std::strlen(shape)) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const char c = word[i];
        if (shape[i] == '9'   ? !(c >= '0' && c <= '9')
            : shape[i] == 's' ? c != '0' && c != '1'
                              : c != shape[i])
            return false;
    }
    return true;
}

static double fahrenheit(double celsius) {
    return ((celsius * 9) / 5) + 32;
}

// sTTT: a sign digit (1 for below zero) and tenths of a degree Celsius.
static double signed_tenths(const std::string& text) {
    const double tenths = std::stoi(text.substr(1, 3));
    return fahrenheit((text[0] == '1' ? -tenths : tenths) / 10);
}

metar_temperatures decode_metar(const std::string& report) {
    const double none = std::numeric_limits<double>::quiet_NaN();
    metar_temperatures t{none, none, none};
    double body = none;
    bool remarks = false;
    for (std::size_t at = 0;;) {
        const std::string word = next_word(report, at);
        if (word.empty()) break;
        if (word == "RMK") {
            remarks = true;
        } else if (!remarks) {
            // "M02/M08", "12/10", "05/": the temperature in whole degrees before the slash.
            const std::size_t slash = word.find('/');
            const std::string degrees = word.substr(0, slash);
            const std::string dew = slash == std::string::npos ? "" : word.substr(slash + 1);
            if (slash != std::string::npos &&
                (group_shape(degrees, "99") || group_shape(degrees, "M99")) &&
                (dew.empty() || group_shape(dew, "99") || group_shape(dew, "M99")))
                body = fahrenheit(degrees[0] == 'M' ? -std::stoi(degrees.substr(1))
                                                    : std::stoi(degrees));
        } else if (group_shape(word, "Ts999s999") || group_shape(word, "Ts999")) {
            t.now_f = signed_tenths(word.substr(1, 4));
        } else if (group_shape(word, "1s999")) {
            t.six_hour_max_f = signed_tenths(word.substr(1));
        } else if (group_shape(word, "2s999")) {
            t.six_hour_min_f = signed_tenths(word.substr(1));
        }
    }
    if (std::isnan(t.now_f)) t.now_f = body;
    return t;
}

// The station of a report: its first word, after "METAR" or "SPECI".
static std::string report_station(const std::string& report) {
    std::size_t at = 0;
    std::string first = next_word(report, at);
    while (first == "METAR" || first == "SPECI") first = next_word(report, at);
    return first;
}

bool read_metar_cycle(std::istream& in, const std::string& file, observations& into,
                      warning_list& warnings, fault& why) {
    std::string line, report;
    long long number = 0, report_line = 0, minute = 0;
    bool too_long = false, timed = false;
    auto end_report = [&]() {
        if (timed && !report.empty())
            take_report(into, station_index(report_station(report)), minute, decode_metar(report),
                        file, report_line, warnings);
        report.clear();
    };
    while (read_received_line(in, line, too_long)) {
        if (++number == 1) drop_byte_order_mark(line);
        if (too_long) {
            why = fault{fault_kind::refused_input, too_long_line(), file, number};
            return false;
        }
        const std::string t = trimmed(line);
        if (is_cycle_time(t)) {
            end_report();
            // The time as the mesonet writes it: "2026-12-08 06:53".
            std::string valid = t.substr(0, 16);
            valid[4] = valid[7] = '-';
            if (!parse_valid_time(valid, minute)) {
                why = fault{fault_kind::refused_input,
                            "the time " + quote_word(t) + " is no time that exists", file, number};
                return false;
            }
            timed = true;
        } else if (t.empty()) {
            end_report();
        } else if (report.size() < longest_received_line) {
            if (report.empty()) report_line = number;
            report += (report.empty() ? "" : " ") + t;
        }
    }
    end_report();
    if (in.bad()) {
        why = fault{fault_kind::refused_input, "the file cannot be read to its end", file, 0};
        return false;
    }
    return true;
}

static const char title[] = "PRELIMINARY LOCAL CLIMATOLOGICAL DATA";
static const char* const month_names[12] = {"JANUARY",   "FEBRUARY", "MARCH",    "APRIL",
                                            "MAY",       "JUNE",     "JULY",     "AUGUST",
                                            "SEPTEMBER", "OCTOBER",  "NOVEMBER", "DECEMBER"};

// The columns read, in this order, as the column header line names them.
static const char* const column_names[] = {"DY", "MAX", "MIN"};
enum { cf6_day, cf6_max, cf6_min, cf6_columns };

enum class product_part { heading, rows, after };

// The product being read.
struct cf6_product {
    bool open = false;
    bool passed_over = false; // another station's
    long long first_line = 0;
    int station = -1;
    std::string named_by; // what named the station: "the identifier CF6FSD", "--station KFSD"
    int month = 0, year = 0;
    bool columns = false;
    // Each column's field: from the end of the header word before it to the end of its own.
    std::size_t from[cf6_columns] = {}, to[cf6_columns] = {};
    product_part part = product_part::heading;
    int rules = 0; // "====" lines since the column header
    bool rows = false;
};

struct cf6_reading {
    const std::string& file;
    std::string given; // the station argument, as an id with its K
    observations& into;
    warning_list& warnings;
    fault& why;
    std::string awips;    // the last AWIPS identifier line not yet taken by a product
    long long awips_line; // and where it stands
    cf6_product product;
    bool any_product = false;
};

static bool refuse(cf6_reading& r, long long line, const std::string& what) {
    r.why = fault{fault_kind::refused_input, what, r.file, line};
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
    for (std::size_t at = 0; count < 5; ++count) {
        words[count] = next_word(t, at);
        if (words[count].empty()) break;
    }
    return (count == 3 || (count == 4 && has_shape(words[3], "AAA"))) &&
           has_shape(words[0], "AAAA99") && has_shape(words[1], "XXXX") &&
           has_shape(words[2], "999999");
}

// The column header line, "DY MAX MIN AVG DEP ...": DY first, MAX and MIN after it. Values
// stand right-aligned under their header word, so a field ends where its word ends.
static bool place_columns(const std::string& line, cf6_product& p) {
    std::size_t found = 0, previous_end = 0;
    bool seen[cf6_columns] = {};
    for (std::size_t at = 0;;) {
        const std::string word = next_word(line, at);
        if (word.empty()) break;
        for (int c = 0; c < cf6_columns; ++c) {
            if (seen[c] || word != column_names[c]) continue;
            if (c == cf6_day && found != 0) return false;
            if (c != cf6_day && !seen[cf6_day]) return false;
            seen[c] = true;
            p.from[c] = previous_end;
            p.to[c] = at;
            ++found;
            break;
        }
        if (found == 0) return false;
        if (found == cf6_columns) return true;
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

// A product of none of the four stations: its days are passed over.
static void pass_over(cf6_reading& r, const std::string& what, long long line) {
    r.product.passed_over = true;
    if (count_warning(r.warnings, warning_kind::other_station))
        r.warnings.kept.push_back(
            fault{fault_kind::refused_input,
                  what + " is not one of " + station_list() + "; its product is passed over",
                  r.file, line});
}

// Starts a product at line, with its station from the AWIPS identifier line before it or
// the station argument, which must agree; where neither is there (the heading lines cut
// off, or typed from a web page), its STATION: line may name it.
static bool open_product(cf6_reading& r, long long line) {
    if (!close_product(r)) return false;
    cf6_product& p = r.product;
    p.open = true;
    p.first_line = line;
    r.any_product = true;
    const std::string awips = r.awips;
    const long long awips_line = r.awips_line;
    r.awips.clear();
    if (awips.empty()) {
        if (r.given.empty()) return true;
        p.station = station_index(r.given);
        p.named_by = "--station " + r.given;
        if (p.station < 0) pass_over(r, r.given + " (--station)", line);
        return true;
    }
    const std::string id = station_id(awips.substr(3));
    if (!r.given.empty() && id != r.given)
        return refuse(r, awips_line,
                      "the identifier " + awips + " names " + id + ", --station " + r.given);
    p.station = station_index(id);
    p.named_by = "the identifier " + awips;
    if (p.station < 0) pass_over(r, id + " (" + awips + ")", awips_line);
    return true;
}

// The station whose place name begins the STATION: line ("SIOUX FALLS SD"), or -1.
static int named_place(const std::string& name) {
    const std::string place = in_capitals(name);
    for (int s = 0; s < station_count; ++s) {
        const std::size_t size = std::strlen(station_places[s]);
        if (place.compare(0, size, station_places[s]) == 0 &&
            (place.size() == size || is_blank(place[size])))
            return s;
    }
    return -1;
}

// The heading's STATION: line, which must name the place of the product's station.
static bool read_station_line(cf6_reading& r, const std::string& name, long long number) {
    cf6_product& p = r.product;
    if (name.empty()) return true;
    const int place = named_place(name);
    if (p.station < 0) {
        if (place < 0) {
            pass_over(r, "STATION: " + quote_word(name), number);
            return true;
        }
        p.station = place;
        p.named_by = "STATION:";
        return true;
    }
    if (place == p.station) return true;
    return refuse(r, number,
                  "STATION: " + quote_word(name) + " is not " + station_ids[p.station] + " (" +
                      station_places[p.station] + "), which " + p.named_by + " names");
}

// A line of the heading: MONTH, YEAR, or the column header that ends it.
static bool read_heading_line(cf6_reading& r, const std::string& line, long long number) {
    cf6_product& p = r.product;
    const std::string t = trimmed(line);
    if (t.compare(0, 8, "STATION:") == 0) {
        if (!read_station_line(r, trimmed(t, 8), number)) return false;
    } else if (t.compare(0, 6, "MONTH:") == 0) {
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
        if (p.station < 0)
            return refuse(r, p.first_line,
                          "no station: the product has no CF6 identifier line; give --station ID "
                          "before the file");
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
    std::string field[cf6_columns];
    for (int c = 0; c < cf6_columns; ++c) field[c] = trimmed(line, p.from[c], p.to[c]);
    int day = 0;
    if (!parse_whole(field[cf6_day], day) || day < 1)
        return refuse(r, number,
                      "the DY column holds " + quote_word(field[cf6_day]) +
                          " where a day of the month belongs");
    if (!is_real_date(p.year, p.month, day))
        return refuse(r, number,
                      std::string(month_names[p.month - 1]) + " " + std::to_string(p.year) +
                          " has no day " + std::to_string(day));
    const long long date = days_since_epoch(utc_time{p.year, p.month, day, 0});
    for (int c : {cf6_max, cf6_min}) {
        int value = 0;
        if (field[c] == "M") continue;
        if (!parse_whole(field[c], value))
            return refuse(r, number,
                          "day " + std::to_string(day) + ": the " + column_names[c] +
                              " column holds " + quote_word(field[c]) +
                              " where a whole number or M belongs");
        take_observation(r.into, date, p.station, c == cf6_max, value, r.file, number, r.warnings);
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
                       observations& into, warning_list& warnings, fault& why) {
    cf6_reading r{file, station_id(trimmed(station)), into, warnings, why, {}, 0, {}, false};
    std::string line;
    long long number = 0;
    bool too_long = false;
    while (read_received_line(in, line, too_long)) {
        if (++number == 1) drop_byte_order_mark(line);
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
