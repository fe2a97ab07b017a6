#pragma once

// A whole run driven by fuzzed bytes: the bytes before the first NUL are the keys typed,
// the bytes after it the content of in.txt. The dialogue is thrown away.

#include "frontend/menu.h"
#include "fuzz/fuzz_file.h"

#include <cstring>
#include <sstream>

inline void fuzz_run(void (*run)(dialogue&), const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(scratch_directory());
    const std::uint8_t* nul = static_cast<const std::uint8_t*>(std::memchr(data, 0, size));
    std::size_t typed = nul ? static_cast<std::size_t>(nul - data) : size;
    if (nul) write_scratch_file("in.txt", nul + 1, size - typed - 1);
    std::istringstream keys(std::string(reinterpret_cast<const char*>(data), typed));
    std::ostringstream console, why;
    dialogue d{keys, console, diagnostics{&why, &console, "vuzazav"}};
    run(d);
    clear_scratch_directory();
    std::filesystem::current_path(home);
}
