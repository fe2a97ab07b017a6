#include "ingest/read_rows.h"

#include "reading/places.h"
#include "reading/reading.h"

#include <algorithm>
#include <string>

row_bounds bulletin_bounds(const bulletin_layout& layout, int k) {
    const long long limit = k + 1 < layout.count ? layout.header[k + 1].station_at : layout.end;
    return row_bounds{layout.body_start[k], limit, layout.first_label_at[k], layout.noted_count[k]};
}

// The note of where label first stands in body, or null where there is none.
static const long long* noted_first(const row_bounds& body, const std::string& label) {
    for (int i = 0; i < body.noted; ++i)
        if (label == noted_labels[i]) return &body.first_at[i];
    return nullptr;
}

// Finds label as find_label does from where the stream stands within body, reading what
// it passes over only where the notes cannot tell. The search would count a word that
// starts where the stream stands even after a character that is no white space, and the
// notes would not, so that word is tried first. Any other word the search would find
// stands after white space within the body, where the notes count it; so the first noted
// place, when it lies ahead, is where the search would stop, and a label noted nowhere in
// the body is found by none.
static bool find_in_body(std::istream& in, const std::string& label, const row_bounds& body) {
    const long long* first = noted_first(body, label);
    if (!first || !in.good()) return find_label(in, label, body.limit);
    const long long from = static_cast<long long>(in.tellg());
    if (from < body.start || (body.limit >= 0 && from >= body.limit))
        return find_label(in, label, body.limit);
    if (at_label(in, label)) return true;
    if (*first < 0) {
        in.setstate(body.limit >= 0 ? std::ios::failbit : std::ios::eofbit | std::ios::failbit);
        return false;
    }
    if (*first > from) {
        if (in.seekg(*first) && at_label(in, label)) return true;
        // The file is not what the notes say: search it.
        in.clear();
        in.seekg(from);
    }
    return find_label(in, label, body.limit);
}

// Sets why for a bulletin that has no row named rows ("N/X", "TXN or N/X") after the row
// labelled after (none when null) within body. Returns false.
static bool no_row_fault(const std::string& rows, const char* after, const row_bounds& body,
                         fault& why) {
    why.position = -1;
    why.what = "no " + rows + " row";
    if (after) why.what += std::string(" after the ") + after + " row";
    why.what += body.limit >= 0 ? " before the next bulletin" : " before the end of the file";
    return false;
}

bool find_row(std::istream& in, const char* label, const char* after, const row_bounds& body,
              long long& row, fault& why) {
    const std::string name = label;
    if (!find_in_body(in, name, body)) return no_row_fault(name, after, body, why);
    // A label that ends the file leaves tellg nothing to tell; its row is cut anyway.
    row = in.eof() ? -1 : static_cast<long long>(in.tellg()) - static_cast<long long>(name.size());
    return true;
}

bool skip_row_words(std::istream& in, int count, const char* label, long long row, fault& why) {
    return skip_column_words(in, count) || value_fault(in, label, row, "a column", why);
}

bool value_fault(std::istream& in, const char* label, long long row, const char* what, fault& why) {
    const bool at_end = in.eof();
    in.clear();
    const long long position = static_cast<long long>(in.tellg());
    const std::string word = at_end ? "" : quoted_word_at(in, position);
    if (word.empty()) {
        why.position = row;
        why.what = std::string("the file ends inside the ") + label + " row";
    } else {
        why.position = position;
        why.what =
            std::string("the ") + label + " row holds " + word + " where " + what + " belongs";
    }
    return false;
}

// Sets why for word, just read whole from the row labelled label, where what belongs.
static bool word_fault(std::istream& in, const std::string& word, const char* label,
                       const char* what, fault& why) {
    in.clear();
    why.position = static_cast<long long>(in.tellg()) - static_cast<long long>(word.size());
    why.what = std::string("the ") + label + " row holds " + quote_word(word) + " where " + what +
               " belongs";
    return false;
}

bool read_cloud_words(std::istream& in, std::int32_t* codes, int count, const char* label,
                      long long row, bool (*read_one)(std::istream&, std::string&),
                      const cloud_word* words, int word_count, const char* known, fault& why) {
    std::string word;
    for (int i = 0; i < count; ++i) {
        if (!read_one(in, word)) return value_fault(in, label, row, known, why);
        int j = 0;
        while (j < word_count && word != words[j].word) ++j;
        if (j == word_count) return word_fault(in, word, label, known, why);
        codes[i] = words[j].code;
    }
    return true;
}

// Width of a column of a National Blend row.
static const std::size_t column_width = 3;

// The column of word from start to end as a whole number: digits, a sign only before them.
static bool column_value(const std::string& word, std::size_t start, std::size_t end,
                         std::int32_t& value) {
    const bool negative = word[start] == '-';
    if (negative) ++start;
    if (start == end) return false;
    value = 0;
    for (std::size_t i = start; i < end; ++i) {
        if (word[i] < '0' || word[i] > '9') return false;
        value = value * 10 + (word[i] - '0');
    }
    if (negative) value = -value;
    return true;
}

// The columns of word, counted from its right end, into values, leftmost first and at most
// room of them; taken says how many, and ends, where given, where in word each column
// ends. False when some column is no whole number, or the word is too long to be kept
// whole, so that its right end is not known.
static bool split_columns(const std::string& word, std::int32_t* values, int room, int& taken,
                          std::size_t* ends = nullptr) {
    taken = 0;
    if (word.empty() || word.size() >= kept_word_length) return false;
    const std::size_t narrow = word.size() % column_width;
    std::size_t start = 0;
    for (std::size_t end = narrow ? narrow : column_width; end <= word.size();
         start = end, end += column_width) {
        std::int32_t value = 0;
        if (!column_value(word, start, end, value)) return false;
        if (ends && taken < room) ends[taken] = end;
        if (taken < room) values[taken++] = value;
    }
    return true;
}

bool placed_columns(const std::string& line, std::size_t label_start, std::size_t label_size,
                    long long line_at, placed_value* values, int room, int& count, fault& why) {
    count = 0;
    const std::string label = line.substr(label_start, label_size);
    std::size_t at = label_start + label_size;
    while (at < line.size()) {
        if (is_white(static_cast<unsigned char>(line[at]))) {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < line.size() && !is_white(static_cast<unsigned char>(line[end]))) ++end;
        const std::string word = line.substr(at, end - at);
        why.position = line_at + static_cast<long long>(at);
        std::int32_t taken_values[kept_word_length];
        std::size_t ends[kept_word_length];
        int taken = 0;
        if (!split_columns(word, taken_values, static_cast<int>(kept_word_length), taken, ends)) {
            why.what = "the " + label + " row holds " + quote_word(word) +
                       " where whole numbers in columns belong";
            return false;
        }
        if (taken > room - count) {
            why.what = "the " + label + " row holds more than " + std::to_string(room) + " values";
            return false;
        }
        for (int i = 0; i < taken; ++i)
            values[count++] =
                placed_value{static_cast<int>(at - label_start + ends[i] - 1), taken_values[i]};
        at = end;
    }
    return true;
}

// Reads count values of a row written in columns.
static bool read_columns(std::istream& in, std::int32_t* values, int count, const char* label,
                         long long row, const char* what, fault& why) {
    std::string word;
    for (int n = 0; n < count;) {
        if (!read_word(in, word)) return value_fault(in, label, row, what, why);
        int taken = 0;
        if (!split_columns(word, values + n, count - n, taken))
            return word_fault(in, word, label, what, why);
        n += taken;
    }
    return true;
}

static bool read_whole_numbers(std::istream& in, std::int32_t* values, int count, const char* label,
                               long long row, const char* what, fault& why) {
    for (int i = 0; i < count; ++i) {
        int value = 0;
        if (!read_int(in, value)) return value_fault(in, label, row, what, why);
        values[i] = value;
    }
    return true;
}

// A word of a short-range row, as read_cloud_words takes its reader.
static bool read_row_word(std::istream& in, std::string& word) {
    return read_word(in, word);
}

// Finds the row that rule names by its label, or else by its older label.
static bool find_ruled_row(std::istream& in, const row_rule& rule, const char* after,
                           const row_bounds& body, row_place& place, fault& why) {
    long long start = -1;
    if (rule.older_label) {
        const bool at_end = in.eof();
        in.clear();
        start = static_cast<long long>(in.tellg());
        if (at_end) in.setstate(std::ios::eofbit);
    }
    place.label = rule.label;
    if (find_row(in, rule.label, after, body, place.label_at, why)) return true;
    if (!rule.older_label) return false;
    place.label = rule.older_label;
    in.clear();
    if (start >= 0 && !in.seekg(start).fail() &&
        find_row(in, rule.older_label, after, body, place.label_at, why))
        return true;
    return no_row_fault(std::string(rule.label) + " or " + rule.older_label, after, body, why);
}

// Values of a row read at most: the 23 columns of a National Blend row.
static const int most_row_values = 23;

bool read_row(std::istream& in, const row_rule& rule, const char* after, const row_bounds& body,
              std::int32_t* values, std::int32_t* today, row_place& place, fault& why) {
    if (!find_ruled_row(in, rule, after, body, place, why)) return false;
    // Every value up to the last one kept is read; those between are passed over.
    const int count = std::max(rule.first + rule.step * (rule.count - 1), rule.today);
    std::int32_t all[most_row_values];
    if (count > most_row_values) {
        why.what = std::string("the ") + place.label + " row is read beyond its last column";
        return false;
    }
    const long long row = place.label_at;
    bool ok = false;
    if (rule.form == value_form::whole_numbers)
        ok = read_whole_numbers(in, all, count, place.label, row, rule.value_name, why);
    else if (rule.form == value_form::columns)
        ok = read_columns(in, all, count, place.label, row, rule.value_name, why);
    else
        ok = read_cloud_words(in, all, count, place.label, row, read_row_word, rule.words,
                              rule.word_count, rule.value_name, why);
    if (!ok) return false;
    for (int j = 0; j < rule.count; ++j) values[j] = all[rule.first - 1 + rule.step * j];
    if (today) *today = rule.today > 0 ? all[rule.today - 1] : missing_temp_pop_value;
    place.first = rule.first;
    place.step = rule.step;
    return true;
}
