#include "plumbing/write_output_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

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

bool write_output_file(const std::string& name, const std::string& text, std::string& why) {
    std::string temp_name;
    std::FILE* f = create_temporary(name, temp_name);
    if (!f) {
        why = std::strerror(errno != 0 ? errno : EEXIST);
        return false;
    }
    errno = 0;
    bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    written = std::fflush(f) == 0 && written;
    int write_error = errno;
    written = std::fclose(f) == 0 && written;
    if (write_error == 0) write_error = errno;
    std::error_code ec;
    if (written) std::filesystem::rename(temp_name, name, ec);
    if (!written || ec) {
        why = ec ? ec.message() : std::strerror(write_error != 0 ? write_error : EIO);
        std::filesystem::remove(temp_name, ec);
        return false;
    }
    return true;
}
