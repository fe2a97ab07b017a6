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
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {

struct terminal_run {
    int master = -1;
    pid_t pid = -1;   // the process to wait for
    pid_t job = -1;   // the program, when run as a job
    int stops = -1;   // a byte comes here each time the job stops
    std::string seen; // everything the program has written so far
};

[[noreturn]] void exec_on(int slave, int master, const std::string& program) {
    dup2(slave, 0);
    dup2(slave, 1);
    dup2(slave, 2);
    close(master);
    rlimit no_core = {0, 0}; // the signal tests end it with SIGQUIT
    setrlimit(RLIMIT_CORE, &no_core);
    execl(program.c_str(), "vuzazav", static_cast<char*>(nullptr));
    _exit(127);
}

// Starts the program with a new pseudo-terminal as its controlling terminal. As a job it
// runs as a shell runs one, in a process group of its own in the foreground under a session
// leader that waits for it, so that Ctrl-Z stops it: the system discards a stop signal to
// a session leader's own group, which has no shell to come back to.
terminal_run start_on_terminal(bool as_job = false) {
    terminal_run run;
    run.master = posix_openpt(O_RDWR | O_NOCTTY);
    if (run.master < 0 || grantpt(run.master) != 0 || unlockpt(run.master) != 0) return run;
    const char* slave_name = ptsname(run.master);
    const std::string program = program_path();
    int report[2];
    if (as_job && pipe(report) != 0) return run;
    run.pid = fork();
    if (run.pid == 0) {
        setsid();
        int slave = open(slave_name, O_RDWR);
        if (slave < 0) _exit(126);
        if (!as_job) exec_on(slave, run.master, program);
        pid_t job = fork();
        if (job == 0) {
            setpgid(0, 0);
            std::signal(SIGTTOU, SIG_IGN); // as shells do, to take the terminal's foreground
            tcsetpgrp(slave, getpid());
            std::signal(SIGTTOU, SIG_DFL);
            exec_on(slave, run.master, program);
        }
        if (write(report[1], &job, sizeof job) != sizeof job) _exit(125);
        int status = 0;
        while (waitpid(job, &status, WUNTRACED) == job && WIFSTOPPED(status))
            if (write(report[1], "T", 1) != 1) _exit(125);
        _exit(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
    }
    if (as_job) {
        close(report[1]);
        run.stops = report[0];
        if (read(run.stops, &run.job, sizeof run.job) != sizeof run.job) run.job = -1;
    }
    return run;
}

bool in_key_mode(const terminal_run& run) {
    termios now = {};
    return tcgetattr(run.master, &now) == 0 && (now.c_lflag & (ICANON | ECHO)) == 0;
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
    // The pause waits in its key mode and takes one key only, so the 3 typed with it is the
    // menu's next choice; had it not waited, the menu would have refused "x3".
    EXPECT_TRUE(in_key_mode(run));
    type(run, "x3\n");
    ASSERT_TRUE(wait_for(run, std::string(clear) + "Please enter an option!", paused, 5000));
    ASSERT_TRUE(wait_for(run, "Option 3 not functional", paused, 5000));
    ASSERT_TRUE(wait_for(run, pause_prompt, run.seen.find("Option 3", paused), 5000));

    // An arrow key is one key: none of its bytes may reach the menu.
    std::string::size_type before = run.seen.size();
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
    for (int sig : {SIGINT, SIGTERM, SIGQUIT, SIGHUP}) {
        SCOPED_TRACE("signal " + std::to_string(sig));
        terminal_run run = start_on_terminal();
        ASSERT_GT(run.pid, 0);
        ASSERT_TRUE(wait_for(run, "6) Quit", 0, 5000));
        type(run, "3\n");
        ASSERT_TRUE(wait_for(run, pause_prompt, 0, 5000));
        EXPECT_TRUE(in_key_mode(run)) << "the pause reads one key, unechoed";

        kill(run.pid, sig);
        EXPECT_EQ(exit_code(run), 128 + sig);
        termios after = {};
        ASSERT_EQ(tcgetattr(run.master, &after), 0);
        EXPECT_EQ(after.c_lflag & (ICANON | ECHO), static_cast<tcflag_t>(ICANON | ECHO));
        close(run.master);
    }
}

// Ctrl-Z gives the shell the terminal as it was; fg gives the pause its key mode back.
TEST(Pause, StopAndContinueGiveTheKeyModeBack) {
    terminal_run run = start_on_terminal(true);
    ASSERT_GT(run.job, 0);
    ASSERT_TRUE(wait_for(run, "6) Quit", 0, 5000));
    type(run, "2\n");
    ASSERT_TRUE(wait_for(run, pause_prompt, 0, 5000));
    ASSERT_TRUE(in_key_mode(run));

    type(run, "\x1a");
    pollfd p = {run.stops, POLLIN, 0};
    char stop = 0;
    ASSERT_TRUE(poll(&p, 1, 5000) == 1 && read(run.stops, &stop, 1) == 1) << "Ctrl-Z stops it";
    EXPECT_FALSE(in_key_mode(run));

    kill(run.job, SIGCONT);
    for (int i = 0; i < 250 && !in_key_mode(run); ++i) usleep(20000);
    EXPECT_TRUE(in_key_mode(run));
    std::string::size_type paused = run.seen.size();
    type(run, "x6\n");
    ASSERT_TRUE(wait_for(run, "Please enter an option!", paused, 5000));
    ASSERT_TRUE(wait_for(run, pause_prompt, paused, 5000));
    type(run, "q");
    EXPECT_EQ(exit_code(run), 0);
    close(run.stops);
    close(run.master);
}

#endif
