#include "fuzz/fuzz_stream.h"
#include "ingest/bulletin_layout.h"
#include "ingest/bulletin_values.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in = fuzz_stream(data, size);
    bulletin_layout layout;
    fault why;
    if (!validate_bulletin_file(in, layout, why)) return 0;
    bulletin_rows rows;
    bulletin_values values;
    read_temp_pop(in, layout, values, rows, why);
    return 0;
}
