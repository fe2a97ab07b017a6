#include "arith/shared_types.h"
#include "fuzz/fuzz_file.h"
#include "gfs/read_gfs_rows.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string file = write_scratch_file("in.txt", data, size);
    gfs_row rows[gfs_row_count];
    file_note fault;
    read_gfs_rows(rows, file.c_str(), fault);
    return 0;
}
