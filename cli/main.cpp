#include "cli/commands.h"
#include "cli/standard_output.h"

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
#ifdef SIGPIPE
    // A reader that has gone (a "| head -2") must not end the run before its files are
    // written: the write to standard output fails instead, and the run says so at its end.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    error_keeping_output buffer(stdout);
    std::ostream out(&buffer);
    const diagnostics to{&std::cerr, &out, "vuzazav-cli"};
    int status = run_cli(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), out, to);
    // A day table that never reached its file (a full disk behind standard output) is an
    // output that was not written.
    if (const int error = finish_output(buffer)) {
        diagnose(to, std::string("standard output could not be written: ") + std::strerror(error));
        if (status == exit_done) status = exit_not_written;
    }
    return status;
}
