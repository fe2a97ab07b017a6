#include "fuzz/fuzz_notes.h"
#include "fuzz/fuzz_stream.h"
#include "ingest/bulletin_layout.h"
#include "ingest/bulletin_values.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in = fuzz_stream(data, size);
    bulletin_layout layout;
    fault why;
    if (!validate_bulletin_file(in, layout, why)) return 0;
    read_with_and_without_notes(in, layout, read_temp_pop);
    return 0;
}
