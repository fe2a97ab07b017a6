#include "files/open_temporary_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#include <process.h>

// Creates path exclusively; returns its descriptor, or -1 with errno set. The C runtime's
// own exclusive creation: fopen's "x" is newer than the runtime that mingw-w64 links by
// default, which may take it for a plain truncating open.
static int create_new(const std::filesystem::path& path) {
    return _wopen(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_TEXT, _S_IREAD | _S_IWRITE);
}

// A file that stands in for an existing one is writable (a read-only one is never
// replaced), and Windows has no other permission bits to keep.
static void keep_attributes(int, const output_target&) {}

static std::FILE* stream_of(int fd) {
    return _fdopen(fd, "wt");
}

static void close_descriptor(int fd) {
    _close(fd);
}

static long long process_number() {
    return _getpid();
}

#else
#include <unistd.h>

static int create_new(const std::filesystem::path& path) {
    return open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_NOCTTY | O_CLOEXEC, 0666);
}

// Gives the new file what the old one had, as far as the user may: owner before mode, since
// a change of owner may clear mode bits. What cannot be given stays the user's default.
static void keep_attributes(int fd, const output_target& target) {
    if (!target.exists) return;
    const gid_t group = static_cast<gid_t>(target.group);
    if (fchown(fd, static_cast<uid_t>(target.owner), group) != 0 &&
        fchown(fd, static_cast<uid_t>(-1), group) != 0) {
        // Another's file becomes the user's own, in the user's group.
    }
    if (fchmod(fd, static_cast<mode_t>(target.mode)) != 0) {
        // The mode stays the one the creation gave.
    }
}

static std::FILE* stream_of(int fd) {
    return fdopen(fd, "w");
}

static void close_descriptor(int fd) {
    close(fd);
}

static long long process_number() {
    return getpid();
}

#endif

std::FILE* open_temporary_file(const output_target& target, std::filesystem::path& temp,
                               std::string& why) {
    const std::filesystem::path dir = target.path.parent_path();
    // The process number keeps programs that write side by side apart; a leftover of an
    // earlier process of the same number only moves the count on.
    const std::string stem = temporary_file_prefix + std::to_string(process_number()) + "-";
    for (int i = 0; i < 100; ++i) {
        temp = dir / (stem + std::to_string(i) + temporary_file_suffix);
        errno = 0;
        int fd = create_new(temp);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) {
            why = std::strerror(errno != 0 ? errno : EIO);
            return nullptr;
        }
        keep_attributes(fd, target);
        if (std::FILE* f = stream_of(fd)) return f;
        why = std::strerror(errno != 0 ? errno : EIO);
        close_descriptor(fd);
        std::error_code ec;
        std::filesystem::remove(temp, ec);
        return nullptr;
    }
    why = std::strerror(EEXIST);
    return nullptr;
}
