#include "files/follow_links.h"

#include <system_error>

#ifdef __linux__
#include <linux/magic.h>
#include <sys/vfs.h>
#endif

namespace fs = std::filesystem;

// Whether the symbolic link link is one of a process's open-file links. On Linux every link
// of the proc file system is (/dev/fd and /dev/stdout lead there), wherever it is mounted
// or reached from; elsewhere the places they are known to have.
static bool is_process_link(const fs::path& link) {
#if defined(__linux__)
    struct statfs where = {};
    const fs::path dir = link.has_parent_path() ? link.parent_path() : fs::path(".");
    return statfs(dir.c_str(), &where) == 0 && where.f_type == PROC_SUPER_MAGIC;
#elif defined(_WIN32)
    (void)link;
    return false;
#else
    std::error_code ec;
    const std::string path = fs::absolute(link, ec).lexically_normal().string();
    return path.rfind("/proc/", 0) == 0 || path.rfind("/dev/fd/", 0) == 0;
#endif
}

bool follow_links(const std::string& name, fs::path& path, std::string& why) {
    path = name;
    std::error_code ec;
    // The same bound as the system's own on links met in one lookup.
    for (int hops = 0; hops < 40; ++hops) {
        if (!fs::is_symlink(fs::symlink_status(path, ec))) return true;
        if (is_process_link(path)) {
            why = (path == fs::path(name) ? "" : path.string() + ": ") +
                  "is a process's open file, not a file to replace";
            return false;
        }
        fs::path to = fs::read_symlink(path, ec);
        if (ec) {
            why = ec.message();
            return false;
        }
        path = to.is_absolute() ? to : path.parent_path() / to;
    }
    why = std::make_error_code(std::errc::too_many_symbolic_link_levels).message();
    return false;
}
