#include "fuzz/fuzz_file.h"
#include "ingest/read_temp_pop.h"
#include "ingest/validate_bulletin_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string file = write_scratch_file("in.txt", data, size);
    bulletin_layout layout;
    file_note fault;
    if (!validate_bulletin_file(file.c_str(), layout, fault)) return 0;
    long long rows[bulletin_count * rows_per_bulletin];
    std::int32_t short_a[4 * 12], short_b[4 * 12], extended[4 * 25];
    read_temp_pop(short_a, short_b, extended, file.c_str(), layout, rows, fault);
    return 0;
}
