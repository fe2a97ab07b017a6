#include "fuzz/fuzz_notes.h"
#include "fuzz/fuzz_stream.h"
#include "ingest/bulletin_layout.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in = fuzz_stream(data, size);
    bulletin_layout layout;
    fault why;
    if (validate_bulletin_file(in, layout, why)) {
        // The headers stand in order, each after the previous one's body start.
        for (int k = 0; k < bulletin_count; ++k) {
            const long long header = layout.header[k].station_at;
            if (layout.body_start[k] <= header) std::abort();
            if (k > 0 && header < layout.body_start[k - 1]) std::abort();
            if (layout.body_start[k] > static_cast<long long>(size)) std::abort();
        }
        check_notes(in.str(), layout);
    }
    return 0;
}
