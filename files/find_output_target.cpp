#include "files/find_output_target.h"

#include "files/follow_links.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

// Sets why to reason, naming the file a link led to, and returns false.
static bool refuse(const std::string& name, const output_target& target, const std::string& reason,
                   std::string& why) {
    why = target.path == fs::path(name) ? reason : target.path.string() + ": " + reason;
    return false;
}

// Why a file with this many names is not replaced.
static std::string several_names(unsigned long long links) {
    return "has " + std::to_string(links) +
           " names (hard links); a new file would leave the others with the old contents, so "
           "it is left as it was";
}

#ifndef _WIN32

bool find_output_target(const std::string& name, output_target& target, std::string& why) {
    if (!follow_links(name, target.path, why)) return false;
    const std::string path = target.path.string();
    struct stat old = {};
    if (stat(path.c_str(), &old) != 0) {
        if (errno == ENOENT) return true; // a new file
        return refuse(name, target, std::strerror(errno), why);
    }
    if (S_ISDIR(old.st_mode)) return refuse(name, target, std::strerror(EISDIR), why);
    // Replacing a FIFO or a device by a plain file is never what writing to it means.
    if (!S_ISREG(old.st_mode)) return refuse(name, target, "is not a regular file", why);
    // Whether the user may write to the file itself, asked the way an output stream
    // asks: an open for writing, here one that truncates nothing.
    int fd = open(path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return refuse(name, target, std::strerror(errno), why);
    close(fd);
    if (old.st_nlink > 1) return refuse(name, target, several_names(old.st_nlink), why);
    target.exists = true;
    target.mode = old.st_mode & 0777;
    target.owner = old.st_uid;
    target.group = old.st_gid;
    return true;
}

#else

bool find_output_target(const std::string& name, output_target& target, std::string& why) {
    if (!follow_links(name, target.path, why)) return false;
    std::error_code ec;
    const fs::file_status status = fs::status(target.path, ec);
    if (!fs::exists(status)) return true; // a new file, or one the rename reports on
    // The same reasons as on POSIX, so that a refusal reads alike on both.
    if (fs::is_directory(status)) return refuse(name, target, std::strerror(EISDIR), why);
    if (!fs::is_regular_file(status)) return refuse(name, target, "is not a regular file", why);
    // A read-only file: a rename would replace what an output stream could not open.
    if ((status.permissions() & fs::perms::owner_write) == fs::perms::none)
        return refuse(name, target, std::strerror(EACCES), why);
    const std::uintmax_t links = fs::hard_link_count(target.path, ec);
    if (!ec && links > 1) return refuse(name, target, several_names(links), why);
    target.exists = true;
    return true;
}

#endif
