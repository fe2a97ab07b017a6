#include "fuzz/fuzz_stream.h"
#include "gfs/gfs_table.h"

// The whole load of a model file and the conversion of what it accepts.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in = fuzz_stream(data, size);
    gfs_model model;
    gfs_table_row table[gfs_row_count];
    fault why;
    load_gfs_table(in, "in.txt", model, table, why);
    return 0;
}
