#pragma once

// Shared by the fuzz targets: a private scratch directory, and the fuzzed bytes written to
// a file in it. libFuzzer reads its corpus by relative paths between runs, so the working
// directory is changed only for the duration of one run.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

// The scratch directory, made once per process.
inline const std::filesystem::path& scratch_directory() {
    static const std::filesystem::path dir = [] {
        std::string name = "/tmp/vuzazav-fuzz-XXXXXX";
        if (!mkdtemp(name.data())) std::abort();
        return std::filesystem::path(name);
    }();
    return dir;
}

// Writes size bytes to the file name in the scratch directory and returns its path.
inline std::string write_scratch_file(const char* name, const std::uint8_t* data,
                                      std::size_t size) {
    std::filesystem::path path = scratch_directory() / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path.string();
}

// Removes every entry of the scratch directory that a run may have made.
inline void clear_scratch_directory() {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(scratch_directory(), ec))
        std::filesystem::remove_all(entry.path(), ec);
}
