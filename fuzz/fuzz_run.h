#pragma once

// A whole run driven by fuzzed bytes: the bytes before the first NUL are standard input,
// the bytes after it the content of in.txt. The console output is thrown away.

#include "fuzz/fuzz_file.h"

#include <cstring>
#include <iostream>
#include <sstream>

inline void fuzz_run(void (*run)(), const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(scratch_directory());
    const std::uint8_t* nul = static_cast<const std::uint8_t*>(std::memchr(data, 0, size));
    std::size_t typed = nul ? static_cast<std::size_t>(nul - data) : size;
    if (nul) write_scratch_file("in.txt", nul + 1, size - typed - 1);
    std::istringstream input(std::string(reinterpret_cast<const char*>(data), typed));
    std::ostringstream console;
    std::streambuf* old_in = std::cin.rdbuf(input.rdbuf());
    std::streambuf* old_out = std::cout.rdbuf(console.rdbuf());
    std::cin.clear();
    run();
    std::cin.rdbuf(old_in);
    std::cout.rdbuf(old_out);
    std::cout.copyfmt(std::ios(nullptr)); // the run may leave format flags set
    clear_scratch_directory();
    std::filesystem::current_path(home);
}
