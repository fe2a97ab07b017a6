#include "files/output_names.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <system_error>

#ifdef __linux__
#include <linux/magic.h>
#include <sys/vfs.h>
#endif
#ifdef _WIN32
#include <cwctype>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

bool output_file_name(const std::string& input_name, std::string& output, fault& why) {
#ifdef _WIN32
    const char* separators = "/\\";
#else
    const char* separators = "/";
#endif
    const std::string::size_type slash = input_name.find_last_of(separators);
    const std::string::size_type base = slash == std::string::npos ? 0 : slash + 1;
    if (input_name.size() - base < 3) {
        why = fault{fault_kind::short_name, "the output name replaces the last three characters",
                    input_name, 0, -1};
        return false;
    }
    output = input_name;
    output.replace(output.size() - 3, 3, "out");
    return true;
}

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

// Follows symbolic links from name to the path they end at, as opening name would; a link
// to a missing file ends at the missing file's path. Returns false, with why set to the
// reason, at a process's open-file link, a loop, or a link that cannot be read.
static bool follow_links(const std::string& name, fs::path& path, std::string& why) {
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

// Where the file name is, or would be once written: its links followed, its folder
// resolved, its own name kept (it need not exist).
static fs::path place_of(const std::string& name) {
    fs::path path;
    std::string why;
    // A link the writer refuses to follow is compared as it is named.
    if (!follow_links(name, path, why)) path = name;
    std::error_code ec;
    const fs::path leaf = path.filename();
    const bool is_folder = leaf.empty() || leaf == "." || leaf == "..";
    const fs::path folder = is_folder ? path : path.has_parent_path() ? path.parent_path() : ".";
    fs::path resolved = fs::weakly_canonical(folder, ec);
    if (ec) resolved = fs::absolute(folder, ec).lexically_normal();
    return is_folder ? resolved : resolved / leaf;
}

#ifdef _WIN32
static fs::path without_case(const fs::path& path) {
    std::wstring name = path.native();
    for (wchar_t& c : name) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return name;
}
#else
static const fs::path& without_case(const fs::path& path) {
    return path;
}
#endif

bool same_file(const std::string& a, const std::string& b) {
    if (a == b) return true;
    std::error_code ec;
    if (fs::equivalent(a, b, ec)) return true;
    return without_case(place_of(a)) == without_case(place_of(b));
}

bool check_run_outputs(const std::string& input, const std::vector<std::string>& outputs,
                       fault& why) {
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        // Writing over the input would lose it.
        if (same_file(input, outputs[i])) {
            why = fault{fault_kind::output_is_input, "is the input file itself", outputs[i], 0, -1};
            return false;
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (!same_file(outputs[j], outputs[i])) continue;
            why = fault{fault_kind::same_output, "is the run's output " + outputs[j], outputs[i], 0,
                        -1};
            return false;
        }
    }
    return true;
}

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
