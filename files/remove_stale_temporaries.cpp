#include "files/remove_stale_temporaries.h"

#ifdef _WIN32

void remove_stale_temporaries(const std::filesystem::path&) {}

#else

#include "files/open_temporary_file.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <string>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

// How long a leftover must have lain untouched to be taken for a dead process's: the
// number of a process of another machine or container writing into a shared folder means
// nothing here, but its file is being written to.
static constexpr auto untouched_for = std::chrono::minutes(10);

// The number that digits spell as std::to_string would (no sign, no leading zero) with at
// most most digits; -1 when they spell none.
static long number_of(const std::string& digits, std::size_t most) {
    if (digits.empty() || digits.size() > most || (digits[0] == '0' && digits.size() > 1))
        return -1;
    long n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

// The process number in a name the writer gives its temporary files, or -1 for any other.
static long writer_of(const std::string& name) {
    const std::string prefix = temporary_file_prefix, suffix = temporary_file_suffix;
    if (name.size() <= prefix.size() + suffix.size() || name.rfind(prefix, 0) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return -1;
    const std::string middle =
        name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    const std::size_t dash = middle.find('-');
    if (dash == std::string::npos) return -1;
    const long pid = number_of(middle.substr(0, dash), 9);
    const long count = number_of(middle.substr(dash + 1), 2);
    return pid > 0 && count >= 0 ? pid : -1;
}

void remove_stale_temporaries(const fs::path& dir) {
    const auto now = fs::file_time_type::clock::now();
    std::error_code ec;
    for (fs::directory_iterator it(dir.empty() ? fs::path(".") : dir, ec), end; !ec && it != end;
         it.increment(ec)) {
        const long pid = writer_of(it->path().filename().string());
        if (pid < 0 || pid == getpid()) continue;
        std::error_code skip;
        if (!fs::is_regular_file(it->symlink_status(skip))) continue;
        const auto touched = fs::last_write_time(it->path(), skip);
        if (skip || now - touched < untouched_for) continue;
        // EPERM is a live process of another user's.
        if (kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
        fs::remove(it->path(), skip);
    }
}

#endif
