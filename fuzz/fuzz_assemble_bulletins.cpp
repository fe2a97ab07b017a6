#include "assemble/assemble_bulletins.h"
#include "fuzz/fuzz_file.h"

// A product as it may arrive, read twice so that the date choice and the second reading
// both see it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string file = write_scratch_file("product.txt", data, size);
    std::string text;
    std::vector<fault> problems;
    std::string taken;
    assemble_bulletins({file, file}, nullptr, short_range_choice::either, text, taken, problems);
    return 0;
}
