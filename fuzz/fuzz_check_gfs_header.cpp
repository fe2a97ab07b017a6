#include "fuzz/fuzz_file.h"
#include "gfs/check_gfs_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    enter_scratch_directory();
    write_file("in.txt", data, size);
    check_gfs_header("in.txt");
    return 0;
}
