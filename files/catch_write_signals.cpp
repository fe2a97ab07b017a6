#include "files/catch_write_signals.h"

#ifdef _WIN32

void catch_write_signals(write_signals&) {}
void remove_on_signal(const std::filesystem::path&, const write_signals&) {}
void hold_write_signals() {}
void give_back_write_signals(const write_signals&) {}

#else

#include <cstring>
#include <unistd.h>

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

void catch_write_signals(write_signals& saved) {
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

void remove_on_signal(const std::filesystem::path& temp, const write_signals& saved) {
    const std::string& path = temp.native();
    // Longer than any path the system opens; such a file cannot have been created.
    if (path.size() < sizeof temporary_path) {
        std::memcpy(temporary_path, path.c_str(), path.size() + 1);
        temporary_file_taken = 1;
    }
    sigprocmask(SIG_SETMASK, &saved.mask, nullptr);
}

void hold_write_signals() {
    const sigset_t caught = caught_signals();
    sigprocmask(SIG_BLOCK, &caught, nullptr);
    temporary_file_taken = 0;
}

void give_back_write_signals(const write_signals& saved) {
    temporary_file_taken = 0;
    for (int i = 0; i < 4; ++i)
        if (saved.taken[i]) sigaction(write_signal_numbers[i], &saved.old[i], nullptr);
    sigprocmask(SIG_SETMASK, &saved.mask, nullptr);
}

#endif
