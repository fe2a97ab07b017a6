#include "frontend/console.h"

#include <iostream>

#ifdef _WIN32

#include <cstdlib>

void clear_screen() {
    std::cout.flush();
    std::system("CLS");
}

void pause_for_key() {
    std::cout.flush();
    std::system("PAUSE");
}

#else

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

void clear_screen() {
    if (!isatty(STDOUT_FILENO)) return;
    std::cout << "\x1b[H\x1b[2J" << std::flush;
}

// The terminal settings to put back, also from a signal handler.
static termios saved_settings;

extern "C" void restore_terminal_and_reraise(int sig) {
    tcsetattr(STDIN_FILENO, TCSANOW, &saved_settings);
    std::signal(sig, SIG_DFL);
    std::raise(sig);
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
static void prompt_and_wait_for_key(const char* prompt) {
    if (tcgetattr(STDIN_FILENO, &saved_settings) != 0) {
        std::cout << prompt << std::flush;
        return;
    }
    termios raw = saved_settings;
    raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;

    struct sigaction restore = {}, old_int = {}, old_term = {};
    restore.sa_handler = restore_terminal_and_reraise;
    sigemptyset(&restore.sa_mask);
    sigaction(SIGINT, &restore, &old_int);
    sigaction(SIGTERM, &restore, &old_term);

    // TCSANOW rather than TCSAFLUSH: keys typed ahead are not thrown away.
    bool raw_mode = tcsetattr(STDIN_FILENO, TCSANOW, &raw) == 0;
    std::cout << prompt << std::flush;
    if (raw_mode) {
        int first = read_byte(-1);
        if (first != -1) take_rest_of_key(first);
        tcsetattr(STDIN_FILENO, TCSANOW, &saved_settings);
    }
    sigaction(SIGINT, &old_int, nullptr);
    sigaction(SIGTERM, &old_term, nullptr);
}

void pause_for_key() {
    const char* prompt = "Press any key to continue . . . ";
    if (isatty(STDIN_FILENO))
        prompt_and_wait_for_key(prompt);
    else
        std::cout << prompt << std::flush;
    std::cout << std::endl;
}

#endif
