#include "fuzz/fuzz_file.h"
#include "gfs/check_gfs_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string file = write_scratch_file("in.txt", data, size);
    file_note fault;
    check_gfs_header(file.c_str(), fault);
    return 0;
}
