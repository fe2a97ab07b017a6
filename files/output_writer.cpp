#include "files/output_writer.h"

#include "files/output_names.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <signal.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

// The names of temporary files, vuzazav-PID-N.tmp, tell a dead process's leftovers.
static const char temporary_file_prefix[] = "vuzazav-";
static const char temporary_file_suffix[] = ".tmp";

// The signals of a write. Readied by catch_write_signals: SIGXFSZ is ignored, so that a
// write beyond the file-size limit fails with "File too large" instead of ending the
// program, and SIGTERM, SIGINT and SIGHUP are caught and held back until remove_on_signal
// names the file they remove; one that comes then removes it and ends the program by that
// signal, as it would have ended it. hold_write_signals holds them back again and forgets
// the file, before it is renamed or removed: a name that is gone may be another's file by
// the time a signal comes. give_back_write_signals restores the actions and the mask of
// before the write, and a signal held back meanwhile then takes its course. A signal that
// the program handles or ignores already is left so. Windows has none of these signals
// but SIGINT and SIGTERM, and no way to end the program by them from a handler.

namespace {

// The signal actions and the signal mask that a write replaces, to be given back after it.
struct write_signals {
#ifndef _WIN32
    struct sigaction old[4];
    bool taken[4];
    sigset_t mask;
#endif
};

} // namespace

#ifdef _WIN32

static void catch_write_signals(write_signals&) {}
static void remove_on_signal(const std::filesystem::path&, const write_signals&) {}
static void hold_write_signals() {}
static void give_back_write_signals(const write_signals&) {}

#else

// Those that end the program by default, and last the one that is ignored instead.
static const int write_signal_numbers[4] = {SIGTERM, SIGINT, SIGHUP, SIGXFSZ};

// The path of the temporary file being written, and whether it is the program's to remove.
// A signal handler may not allocate or lock, so the path must wait for it in static
// storage; this is the writer's one piece of process state, set only while the signals
// are held back.
static char temporary_path[4096];
static volatile sig_atomic_t temporary_file_taken = 0;

extern "C" void remove_temporary_file_and_reraise(int sig) {
    if (temporary_file_taken) unlink(temporary_path);
    struct sigaction default_action = {};
    default_action.sa_handler = SIG_DFL;
    sigaction(sig, &default_action, nullptr);
    raise(sig); // delivered when the handler returns, with the signal no longer blocked
}

static sigset_t caught_signals() {
    sigset_t caught;
    sigemptyset(&caught);
    for (int i = 0; i < 3; ++i) sigaddset(&caught, write_signal_numbers[i]);
    return caught;
}

static void catch_write_signals(write_signals& saved) {
    const sigset_t caught = caught_signals();
    sigprocmask(SIG_BLOCK, &caught, &saved.mask);
    for (int i = 0; i < 4; ++i) {
        struct sigaction action = {};
        action.sa_handler = i < 3 ? remove_temporary_file_and_reraise : SIG_IGN;
        action.sa_mask = caught;
        struct sigaction& old = saved.old[i];
        saved.taken[i] = sigaction(write_signal_numbers[i], nullptr, &old) == 0 &&
                         (old.sa_flags & SA_SIGINFO) == 0 && old.sa_handler == SIG_DFL &&
                         sigaction(write_signal_numbers[i], &action, nullptr) == 0;
    }
}

static void remove_on_signal(const std::filesystem::path& temp, const write_signals& saved) {
    const std::string& path = temp.native();
    // Longer than any path the system opens; such a file cannot have been created.
    if (path.size() < sizeof temporary_path) {
        std::memcpy(temporary_path, path.c_str(), path.size() + 1);
        temporary_file_taken = 1;
    }
    sigprocmask(SIG_SETMASK, &saved.mask, nullptr);
}

static void hold_write_signals() {
    const sigset_t caught = caught_signals();
    sigprocmask(SIG_BLOCK, &caught, nullptr);
    temporary_file_taken = 0;
}

static void give_back_write_signals(const write_signals& saved) {
    temporary_file_taken = 0;
    for (int i = 0; i < 4; ++i)
        if (saved.taken[i]) sigaction(write_signal_numbers[i], &saved.old[i], nullptr);
    sigprocmask(SIG_SETMASK, &saved.mask, nullptr);
}

#endif

// The temporary file: created beside target.path under a short name of its own (so that
// any name the file system accepts for the target leaves room for it), exclusively, so
// that a file that exists already, whoever made it, is never opened; in the platform's
// text mode.

#ifdef _WIN32

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

// Returns the open file, with temp set to its path and, when target exists, its permission
// bits, owner and group; or null with why set to the system's reason.
static std::FILE* open_temporary_file(const output_target& target, std::filesystem::path& temp,
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

// Leftovers of writers killed beyond catching (SIGKILL, a crash, a power cut): regular
// files named as the writer names them whose process is not running, untouched for ten
// minutes. Errors are ignored: a leftover that stays is harmless.

#ifdef _WIN32

static void remove_stale_temporaries(const fs::path&) {}

#else

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

static void remove_stale_temporaries(const fs::path& dir) {
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

// Writes text to the open file f and closes it; returns false with why set when any of it
// failed.
static bool write_and_close(std::FILE* f, const std::string& text, std::string& why) {
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
    if (!written) why = std::strerror(write_error != 0 ? write_error : EIO);
    return written;
}

bool write_output_file(const std::string& name, const std::string& text, std::string& why) {
    output_target target;
    if (!find_output_target(name, target, why)) return false;
    remove_stale_temporaries(target.path.parent_path());
    write_signals signals;
    catch_write_signals(signals);
    std::filesystem::path temp;
    std::FILE* f = open_temporary_file(target, temp, why);
    if (!f) {
        give_back_write_signals(signals);
        return false;
    }
    remove_on_signal(temp, signals);
    bool written = write_and_close(f, text, why);
    hold_write_signals();
    std::error_code ec;
    if (written) std::filesystem::rename(temp, target.path, ec);
    if (ec) why = ec.message();
    const bool replaced = written && !ec;
    if (!replaced) std::filesystem::remove(temp, ec);
    give_back_write_signals(signals);
    return replaced;
}

bool write_run_output(const std::string& name, const std::string& text, fault& why) {
    std::string reason;
    if (write_output_file(name, text, reason)) return true;
    why = fault{fault_kind::not_written, reason, name, 0, -1};
    return false;
}
