#include "verify/observations.h"

#include "calendar/iso_date.h"
#include "reading/places.h"
#include "reading/reading.h"
#include "reading/text_lines.h"

#include <istream>
#include <limits>

static const char byte_order_mark[] = "\xEF\xBB\xBF";

// The columns read, in this order.
static const char* const wanted_columns[] = {"station", "day", "max_temp_f", "min_temp_f"};
enum { station_column, day_column, max_column, min_column, wanted_count };

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

bool read_mesonet_csv(std::istream& in, const std::string& file, observed_days& into,
                      std::vector<fault>& warnings, fault& why) {
    auto refuse = [&](long long line, const std::string& what) {
        why = fault{};
        why.kind = fault_kind::refused_input;
        why.what = what;
        why.file = file;
        why.line = line;
        return false;
    };
    std::string line, what;
    std::string wanted[wanted_count];
    long long number = 0;
    bool header = false;
    bool too_long = false;
    while (!header && read_received_line(in, line, too_long)) {
        if (++number == 1 && line.compare(0, 3, byte_order_mark) == 0) line.erase(0, 3);
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
    for (int c = 0; c < wanted_count; ++c)
        if (column[c] == std::string::npos)
            return refuse(number,
                          std::string("the header names no ") + wanted_columns[c] + " column");
    while (read_received_line(in, line, too_long)) {
        ++number;
        if (too_long) return refuse(number, too_long_line());
        if (trimmed(line).empty()) continue;
        std::size_t fields = 0;
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
