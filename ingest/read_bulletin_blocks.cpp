#include "reading/quote_word.h"
#include "ingest/read_bulletin_blocks.h"

#include "reading/reading.h"

#include <string>

bool read_bulletin_blocks(std::ifstream& in, const char* file_name, const bulletin_layout& layout,
                          block_reader read_short, int short_size, std::int32_t* first,
                          std::int32_t* second, block_reader read_ext, int ext_size,
                          std::int32_t* third, long long* row_start, file_note& fault) {
    // Binary mode keeps stream positions byte offsets, as the validator recorded them.
    in.open(file_name, std::ios::in | std::ios::binary);
    bool ok = in.is_open();
    if (!ok) fault = {-1, "the file can no longer be read"};
    for (int k = 0; ok && k < bulletin_count; ++k) {
        // Each bulletin is read from its own body; its searches end at the next header.
        long long limit = k + 1 < bulletin_count ? layout.header_start[k + 1] : -1;
        long long* rows = row_start + k * rows_per_bulletin;
        fault = {-1, "the file can no longer be read"};
        ok = !in.seekg(layout.body_start[k]).fail();
        if (k < 4)
            ok = ok && read_short(in, first + k * short_size, limit, rows, fault);
        else if (k < 8)
            ok = ok && read_short(in, second + (k - 4) * short_size, limit, rows, fault);
        else
            ok = ok && read_ext(in, third + (k - 8) * ext_size, limit, rows, fault);
        if (!ok) {
            fault.what = bulletin_name(layout, k) + ": " + fault.what;
            if (fault.position < 0) fault.position = layout.header_start[k];
        }
    }
    in.close();
    return ok;
}

bool find_row(std::istream& in, const char* label, const char* after, long long limit,
              long long& row, file_note& fault) {
    const std::string name = label;
    if (!find_label(in, name, limit)) {
        fault.position = -1;
        fault.what = "no " + name + " row";
        if (after) fault.what += std::string(" after the ") + after + " row";
        fault.what += limit >= 0 ? " before the next bulletin" : " before the end of the file";
        return false;
    }
    // A label that ends the file leaves tellg nothing to tell; its row is cut anyway.
    row = in.eof() ? -1 : static_cast<long long>(in.tellg()) - static_cast<long long>(name.size());
    return true;
}

bool read_ints(std::istream& in, std::int32_t* values, int count, const char* label, long long row,
               file_note& fault) {
    for (int i = 0; i < count; ++i) {
        int value = 0;
        if (!read_int(in, value)) return value_fault(in, label, row, "a whole number", fault);
        values[i] = value;
    }
    return true;
}

bool skip_row_words(std::istream& in, int count, const char* label, long long row,
                    file_note& fault) {
    return skip_column_words(in, count) || value_fault(in, label, row, "a column", fault);
}

bool value_fault(std::istream& in, const char* label, long long row, const char* what,
                 file_note& fault) {
    const bool at_end = in.eof();
    in.clear();
    const long long position = static_cast<long long>(in.tellg());
    const std::string word = at_end ? "" : quoted_word_at(in, position);
    if (word.empty()) {
        fault.position = row;
        fault.what = std::string("the file ends inside the ") + label + " row";
    } else {
        fault.position = position;
        fault.what =
            std::string("the ") + label + " row holds " + word + " where " + what + " belongs";
    }
    return false;
}

bool cloud_code(const std::string& word, const char* const* words, const int* codes, int count,
                std::int32_t& code) {
    for (int j = 0; j < count; ++j) {
        if (word == words[j]) {
            code = codes[j];
            return true;
        }
    }
    return false;
}
