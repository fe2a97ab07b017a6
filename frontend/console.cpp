#include "frontend/console.h"

#include "diagnostics/sentences.h"

#include <ostream>

#ifdef _WIN32

#include <cstdlib>

void clear_screen(std::ostream& out) {
    out.flush();
    std::system("CLS");
}

void pause_for_key(std::ostream& out) {
    out.flush();
    std::system("PAUSE");
}

#else

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

void clear_screen(std::ostream& out) {
    if (!isatty(STDOUT_FILENO)) return;
    out << "\x1b[H\x1b[2J" << std::flush;
}

// The terminal settings to put back, and the pause's key mode, also from a signal handler.
static termios saved_settings;
static termios key_settings;
static volatile sig_atomic_t in_key_mode = 0;

extern "C" void restore_terminal_and_reraise(int sig) {
    tcsetattr(STDIN_FILENO, TCSANOW, &saved_settings);
    struct sigaction default_action = {};
    default_action.sa_handler = SIG_DFL;
    sigaction(sig, &default_action, nullptr);
    raise(sig);
}

// Ctrl-Z: the shell gets the terminal as it was, and fg gives the pause its key mode back.
extern "C" void restore_terminal_and_stop(int sig) {
    int saved_errno = errno;
    tcsetattr(STDIN_FILENO, TCSANOW, &saved_settings);
    struct sigaction stop = {}, handler = {};
    stop.sa_handler = SIG_DFL;
    sigaction(sig, &stop, &handler);
    sigset_t this_one;
    sigemptyset(&this_one);
    sigaddset(&this_one, sig);
    sigprocmask(SIG_UNBLOCK, &this_one, nullptr);
    raise(sig); // stops here until continued
    sigaction(sig, &handler, nullptr);
    if (in_key_mode) tcsetattr(STDIN_FILENO, TCSANOW, &key_settings);
    errno = saved_errno;
}

// Whether sig can be caught and its default action ends the program (rather than being
// ignored or stopping it).
static bool ends_program(int sig) {
    switch (sig) {
    case SIGKILL:
    case SIGSTOP:
    case SIGCHLD:
    case SIGCONT:
    case SIGURG:
    case SIGWINCH:
    case SIGTSTP:
    case SIGTTIN:
    case SIGTTOU:
#ifdef SIGINFO
    case SIGINFO:
#endif
        return false;
    default:
        return true;
    }
}

// The signal actions the pause replaced, to be given back after it.
struct taken_signals {
    struct sigaction old[NSIG];
    bool taken[NSIG];
};

// Sets handler for sig when it still has its default action (one that is ignored, or
// handled by someone else, is left so).
static void take_signal(int sig, void (*handler)(int), taken_signals& signals) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    signals.taken[sig] = sigaction(sig, nullptr, &signals.old[sig]) == 0 &&
                         signals.old[sig].sa_handler == SIG_DFL &&
                         sigaction(sig, &action, nullptr) == 0;
}

static void take_signals(taken_signals& signals) {
    for (int sig = 1; sig < NSIG; ++sig) {
        signals.taken[sig] = false;
        if (ends_program(sig)) take_signal(sig, restore_terminal_and_reraise, signals);
    }
    take_signal(SIGTSTP, restore_terminal_and_stop, signals);
}

static void give_back_signals(const taken_signals& signals) {
    for (int sig = 1; sig < NSIG; ++sig)
        if (signals.taken[sig]) sigaction(sig, &signals.old[sig], nullptr);
}

// One byte from standard input, waiting at most wait_ms (forever when negative).
// Returns -1 at the end of input, on an error, or when nothing came in time.
static int read_byte(int wait_ms) {
    if (wait_ms >= 0) {
        pollfd p = {STDIN_FILENO, POLLIN, 0};
        int ready;
        do ready = poll(&p, 1, wait_ms);
        while (ready < 0 && errno == EINTR);
        if (ready <= 0) return -1;
    }
    unsigned char byte;
    ssize_t n;
    do n = read(STDIN_FILENO, &byte, 1);
    while (n < 0 && errno == EINTR);
    return n == 1 ? byte : -1;
}

// Takes the bytes that follow the first byte of one key: an escape sequence (arrow and
// function keys) or the rest of a UTF-8 character. They arrive together, so a short
// wait is enough; a lone Escape key sends nothing more.
static void take_rest_of_key(int first) {
    const int wait_ms = 50;
    if (first == 0x1b) {
        int c = read_byte(wait_ms);
        if (c == '[') {
            do c = read_byte(wait_ms);
            while (c != -1 && !(c >= 0x40 && c <= 0x7e));
        } else if (c == 'O') {
            read_byte(wait_ms);
        }
        return;
    }
    int more = first >= 0xf0 ? 3 : first >= 0xe0 ? 2 : first >= 0xc0 ? 1 : 0;
    while (more-- > 0 && read_byte(wait_ms) != -1) {
    }
}

// Prompts and waits for one key with the terminal in non-canonical, unechoed mode, set
// before the prompt shows so that a key pressed at once is taken as the answer.
static void prompt_and_wait_for_key(std::ostream& out, const char* prompt) {
    if (tcgetattr(STDIN_FILENO, &saved_settings) != 0) {
        out << prompt << std::flush;
        return;
    }
    key_settings = saved_settings;
    key_settings.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
    key_settings.c_cc[VMIN] = 1;
    key_settings.c_cc[VTIME] = 0;

    static taken_signals signals;
    take_signals(signals);

    // TCSANOW rather than TCSAFLUSH: keys typed ahead are not thrown away.
    in_key_mode = 1;
    bool key_mode = tcsetattr(STDIN_FILENO, TCSANOW, &key_settings) == 0;
    out << prompt << std::flush;
    if (key_mode) {
        int first = read_byte(-1);
        if (first != -1) take_rest_of_key(first);
    }
    in_key_mode = 0;
    tcsetattr(STDIN_FILENO, TCSANOW, &saved_settings);
    give_back_signals(signals);
}

void pause_for_key(std::ostream& out) {
    if (isatty(STDIN_FILENO))
        prompt_and_wait_for_key(out, pause_prompt);
    else
        out << pause_prompt << std::flush;
    out << std::endl;
}

#endif
