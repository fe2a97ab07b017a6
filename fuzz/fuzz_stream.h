#pragma once

// The fuzzed bytes as a file stream would give them, positions counting bytes.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

inline std::istringstream fuzz_stream(const std::uint8_t* data, std::size_t size) {
    return std::istringstream(std::string(reinterpret_cast<const char*>(data), size),
                              std::ios::in | std::ios::binary);
}
