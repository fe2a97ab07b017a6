#include "cli/commands.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    // Past the file-size limit a write fails with "File too large" instead of ending the
    // program, so that the failure is reported and nothing is left half-done.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    const diagnostics to{&std::cerr, &std::cout, "vuzazav-cli"};
    int status =
        run_cli(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), std::cout, to);
    // A day table that never reached its file (a full disk behind standard output) is an
    // output that was not written.
    errno = 0;
    std::cout.flush();
    if (std::cout.fail() || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        diagnose(to, std::string("standard output could not be written: ") +
                         std::strerror(errno != 0 ? errno : EIO));
        if (status == exit_done) status = exit_not_written;
    }
    return status;
}
