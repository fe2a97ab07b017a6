#include "ingest/read_bulletin_blocks.h"

#include "plumbing/reading.h"

#include <string>

bool read_bulletin_blocks(std::ifstream& in, const char* file_name, const bulletin_layout& layout,
                          block_reader read_short, int short_size, std::int32_t* first,
                          std::int32_t* second, block_reader read_ext, int ext_size,
                          std::int32_t* third) {
    // Binary mode keeps stream positions byte offsets, as the validator recorded them.
    in.open(file_name, std::ios::in | std::ios::binary);
    bool ok = in.is_open();
    for (int k = 0; ok && k < bulletin_count; ++k) {
        // Each bulletin is read from its own body; its searches end at the next header.
        long long limit = k + 1 < bulletin_count ? layout.header_start[k + 1] : -1;
        ok = !in.seekg(layout.body_start[k]).fail();
        if (k < 4)
            ok = ok && read_short(in, first + k * short_size, limit);
        else if (k < 8)
            ok = ok && read_short(in, second + (k - 4) * short_size, limit);
        else
            ok = ok && read_ext(in, third + (k - 8) * ext_size, limit);
    }
    in.close();
    return ok;
}

bool read_ints(std::istream& in, std::int32_t* values, int count) {
    for (int i = 0; i < count; ++i) {
        int value = 0;
        if (!read_int(in, value)) return false;
        values[i] = value;
    }
    return true;
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
