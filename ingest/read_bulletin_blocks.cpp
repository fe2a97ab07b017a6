#include "ingest/read_bulletin_blocks.h"

#include "reading/places.h"
#include "reading/reading.h"

#include <string>

bool find_row(std::istream& in, const char* label, const char* after, long long limit,
              long long& row, fault& why) {
    const std::string name = label;
    if (!find_label(in, name, limit)) {
        why.position = -1;
        why.what = "no " + name + " row";
        if (after) why.what += std::string(" after the ") + after + " row";
        why.what += limit >= 0 ? " before the next bulletin" : " before the end of the file";
        return false;
    }
    // A label that ends the file leaves tellg nothing to tell; its row is cut anyway.
    row = in.eof() ? -1 : static_cast<long long>(in.tellg()) - static_cast<long long>(name.size());
    return true;
}

bool read_ints(std::istream& in, std::int32_t* values, int count, const char* label, long long row,
               fault& why) {
    for (int i = 0; i < count; ++i) {
        int value = 0;
        if (!read_int(in, value)) return value_fault(in, label, row, "a whole number", why);
        values[i] = value;
    }
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

bool cloud_code(const std::string& word, const cloud_word* words, int count, std::int32_t& code) {
    for (int j = 0; j < count; ++j) {
        if (word == words[j].word) {
            code = words[j].code;
            return true;
        }
    }
    return false;
}
