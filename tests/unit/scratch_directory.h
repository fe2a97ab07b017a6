#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

// A fresh directory under the system's temporary directory, removed with everything in it
// when the variable goes (write permission is restored first, for tests that take it).
struct scratch_directory {
    std::filesystem::path path;
    scratch_directory() {
        std::random_device random;
        do path = std::filesystem::temp_directory_path() / ("vuzazav_" + std::to_string(random()));
        while (!std::filesystem::create_directory(path));
    }
    ~scratch_directory() {
        std::error_code ignored;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path, ignored);
    }
    scratch_directory(const scratch_directory&) = delete;
    scratch_directory& operator=(const scratch_directory&) = delete;
};
