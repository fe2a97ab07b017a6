#pragma once

// Shared by the fuzz targets: a private working directory, and the fuzzed bytes written
// to a file in it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

// Makes a fresh temporary directory the working directory, once per process.
inline void enter_scratch_directory() {
    static bool entered = false;
    if (entered) return;
    char dir[] = "/tmp/vuzazav-fuzz-XXXXXX";
    if (!mkdtemp(dir) || chdir(dir) != 0) std::abort();
    entered = true;
}

// Writes size bytes to name in the working directory.
inline void write_file(const char* name, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// Removes every entry of the working directory that the target may have made.
inline void clear_scratch_directory() {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(".", ec))
        std::filesystem::remove_all(entry.path(), ec);
}
