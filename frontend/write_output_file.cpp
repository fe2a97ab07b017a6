#include "frontend/write_output_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <iostream>

// Creates a temporary file beside name that did not exist before ("x" is exclusive
// creation), so that no other file is ever overwritten by the write.
static std::FILE* create_temporary(const std::string& name, std::string& temp_name) {
    for (int i = 0; i < 1000; ++i) {
        temp_name = name + ".tmp" + std::to_string(i);
        errno = 0;
        if (std::FILE* f = std::fopen(temp_name.c_str(), "wx")) return f;
        if (errno != EEXIST) return nullptr;
    }
    return nullptr;
}

static bool write_and_replace(const std::string& name, const std::string& text) {
    std::string temp_name;
    std::FILE* f = create_temporary(name, temp_name);
    if (!f) return false;
    bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    written = std::fflush(f) == 0 && written;
    written = std::fclose(f) == 0 && written;
    std::error_code ec;
    if (written) std::filesystem::rename(temp_name, name, ec);
    if (!written || ec) {
        std::filesystem::remove(temp_name, ec);
        return false;
    }
    return true;
}

bool write_output_file(const std::string& name, const std::string& text) {
    if (write_and_replace(name, text)) return true;
    std::cout << "The output file " << name << " could not be written." << std::endl;
    return false;
}
