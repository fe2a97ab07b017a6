#include "fuzz/fuzz_file.h"
#include "ingest/validate_bulletin_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string file = write_scratch_file("in.txt", data, size);
    bulletin_layout layout;
    file_note fault;
    if (validate_bulletin_file(file.c_str(), layout, fault)) {
        // The headers stand in order, each after the previous one's body start.
        for (int k = 0; k < bulletin_count; ++k) {
            if (layout.body_start[k] <= layout.header_start[k]) std::abort();
            if (k > 0 && layout.header_start[k] < layout.body_start[k - 1]) std::abort();
            if (layout.body_start[k] > static_cast<long long>(size)) std::abort();
        }
    }
    return 0;
}
