#include "fuzz/fuzz_stream.h"
#include "gfs/gfs_model_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in = fuzz_stream(data, size);
    long long field_at = -1;
    fault why;
    check_gfs_header(in, field_at, why);
    return 0;
}
