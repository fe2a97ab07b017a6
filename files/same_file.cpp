#include "files/same_file.h"

#include <filesystem>

bool same_file(const std::string& a, const std::string& b) {
    std::error_code ec;
    return a == b || std::filesystem::equivalent(a, b, ec);
}
