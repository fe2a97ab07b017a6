#include "fuzz/fuzz_stream.h"
#include "gfs/compute_gfs_table.h"
#include "gfs/load_gfs_file.h"

// The whole load of a model file and the conversion of what it accepts.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in = fuzz_stream(data, size);
    gfs_model model;
    gfs_table_row table[gfs_row_count];
    fault why;
    if (load_gfs_file(in, "in.txt", model, why)) compute_gfs_table(model, table, why);
    return 0;
}
