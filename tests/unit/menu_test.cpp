// The pause and the screen clearing as a user sees them on a terminal: the program runs
// under a pseudo-terminal and is answered key by key.
#ifndef _WIN32

#include "test_paths.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {

struct terminal_run {
    int master = -1;
    pid_t pid = -1;
    std::string seen; // everything the program has written so far
};

terminal_run start_on_terminal() {
    terminal_run run;
    run.master = posix_openpt(O_RDWR | O_NOCTTY);
    if (run.master < 0 || grantpt(run.master) != 0 || unlockpt(run.master) != 0) return run;
    const char* slave_name = ptsname(run.master);
    const std::string program = program_path();
    run.pid = fork();
    if (run.pid == 0) {
        setsid();
        int slave = open(slave_name, O_RDWR);
        if (slave < 0) _exit(126);
        dup2(slave, 0);
        dup2(slave, 1);
        dup2(slave, 2);
        close(run.master);
        execl(program.c_str(), "vuzazav", static_cast<char*>(nullptr));
        _exit(127);
    }
    return run;
}

// Reads until the output holds want after position from, or until wait_ms pass.
bool wait_for(terminal_run& run, const std::string& want, std::string::size_type from,
              int wait_ms) {
    for (;;) {
        if (run.seen.find(want, from) != std::string::npos) return true;
        pollfd p = {run.master, POLLIN, 0};
        if (poll(&p, 1, wait_ms) <= 0) return false;
        char chunk[512];
        ssize_t n = read(run.master, chunk, sizeof chunk);
        if (n <= 0) return false;
        run.seen.append(chunk, static_cast<std::string::size_type>(n));
    }
}

void type(terminal_run& run, const std::string& keys) {
    ASSERT_EQ(write(run.master, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
}

// Waits up to five seconds for the program to end, reading what it still writes.
int exit_code(terminal_run& run) {
    int status = 0;
    for (int i = 0; i < 250; ++i) {
        if (waitpid(run.pid, &status, WNOHANG) == run.pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        wait_for(run, "\x01", run.seen.size(), 0);
        usleep(20000);
    }
    kill(run.pid, SIGKILL);
    waitpid(run.pid, &status, 0);
    return -1;
}

const char* const clear = "\x1b[H\x1b[2J";
const char* const pause_prompt = "Press any key to continue . . . ";

} // namespace

TEST(Pause, WaitsForOneKeyAndClearsTheTerminal) {
    terminal_run run = start_on_terminal();
    ASSERT_GT(run.pid, 0);
    ASSERT_TRUE(wait_for(run, "6) Quit", 0, 5000));
    EXPECT_EQ(run.seen.find(clear), std::string::npos) << "the first menu is not cleared";

    type(run, "2\n");
    ASSERT_TRUE(wait_for(run, pause_prompt, 0, 5000));
    std::string::size_type paused = run.seen.size();
    EXPECT_NE(run.seen.find(std::string(clear) + "Option 2 not functional"), std::string::npos);
    EXPECT_FALSE(wait_for(run, "Please enter an option!", paused, 400))
        << "the menu came back without a key";

    type(run, "x");
    ASSERT_TRUE(wait_for(run, std::string(clear) + "Please enter an option!", paused, 5000));

    // An arrow key is one key: none of its bytes may reach the menu.
    type(run, "5\n");
    std::string::size_type before = run.seen.size();
    ASSERT_TRUE(wait_for(run, pause_prompt, before, 5000));
    before = run.seen.size();
    type(run, "\x1b[A");
    ASSERT_TRUE(wait_for(run, "6) Quit", before, 5000));

    // Typing is echoed again once the pause has restored the terminal.
    before = run.seen.size();
    type(run, "6\n");
    ASSERT_TRUE(wait_for(run, "6", before, 5000));
    ASSERT_TRUE(wait_for(run, pause_prompt, before, 5000));
    type(run, "q");
    EXPECT_EQ(exit_code(run), 0);
    EXPECT_EQ(run.seen.find("Illegal"), std::string::npos);
    close(run.master);
}

TEST(Pause, InterruptRestoresTheTerminal) {
    terminal_run run = start_on_terminal();
    ASSERT_GT(run.pid, 0);
    ASSERT_TRUE(wait_for(run, "6) Quit", 0, 5000));
    type(run, "3\n");
    ASSERT_TRUE(wait_for(run, pause_prompt, 0, 5000));
    termios during = {};
    ASSERT_EQ(tcgetattr(run.master, &during), 0);
    EXPECT_EQ(during.c_lflag & (ICANON | ECHO), 0u) << "the pause reads one key, unechoed";

    kill(run.pid, SIGTERM);
    EXPECT_EQ(exit_code(run), 128 + SIGTERM);
    termios after = {};
    ASSERT_EQ(tcgetattr(run.master, &after), 0);
    EXPECT_EQ(after.c_lflag & (ICANON | ECHO), static_cast<tcflag_t>(ICANON | ECHO));
    close(run.master);
}

#endif
