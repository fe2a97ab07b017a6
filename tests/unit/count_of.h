#pragma once

#include <cstddef>
#include <string>

// How often part stands in text, overlaps counted.
inline std::size_t count_of(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}
