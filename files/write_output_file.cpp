#include "files/write_output_file.h"

#include "files/find_output_target.h"
#include "files/open_temporary_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#ifndef _WIN32
#include <unistd.h>
#endif

bool write_output_file(const std::string& name, const std::string& text, std::string& why) {
    output_target target;
    if (!find_output_target(name, target, why)) return false;
    std::filesystem::path temp;
    std::FILE* f = open_temporary_file(target, temp, why);
    if (!f) return false;
    errno = 0;
    bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    written = std::fflush(f) == 0 && written;
#ifndef _WIN32
    // On the disk before it takes the old file's place, so that a crash cannot leave an
    // empty file where the old one was.
    written = fsync(fileno(f)) == 0 && written;
#endif
    int write_error = errno;
    written = std::fclose(f) == 0 && written;
    if (write_error == 0) write_error = errno;
    std::error_code ec;
    if (written) std::filesystem::rename(temp, target.path, ec);
    if (!written || ec) {
        why = ec ? ec.message() : std::strerror(write_error != 0 ? write_error : EIO);
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}
