#include "cli/cli_steps.h"
#include "cli/exit_codes.h"
#include "cli/usage.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

// Takes the command line of a command apart and runs it.
static int run_command(const cli_command& command, const std::vector<std::string>& args,
                       const diagnostics& to) {
    command_line parsed;
    std::string error;
    if (!parse_command_line(args, command.options, command.option_count, parsed, error))
        return usage_error(to, error, command.usage);
    if (parsed.options.count("help")) {
        std::cout << command.usage;
        return exit_done;
    }
    if (parsed.operands.empty()) return usage_error(to, "missing argument", command.usage);
    if (parsed.operands.size() > 1 && !command.several_operands)
        return usage_error(to, "unexpected argument \"" + parsed.operands[1] + "\"", command.usage);
    return command.run(parsed, to);
}

static int run_program(int argc, char** argv, const diagnostics& to) {
    if (argc < 2) return usage_error(to, "missing command", main_usage().c_str());
    const std::string name = argv[1];
    if (name == "-h" || name == "--help") {
        std::cout << main_usage();
        return exit_done;
    }
    if (name == "--version") {
        std::cout << "vuzazav-cli " VUZAZAV_VERSION "\n";
        return exit_done;
    }
    for (std::size_t i = 0; i < cli_command_count; ++i)
        if (name == cli_commands[i].name)
            return run_command(cli_commands[i], std::vector<std::string>(argv + 2, argv + argc),
                               to);
    return usage_error(to, "unknown command \"" + name + "\"", main_usage().c_str());
}

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    // Past the file-size limit a write fails with "File too large" instead of ending the
    // program, so that the failure is reported and nothing is left half-done.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    const diagnostics to{&std::cerr, &std::cout, "vuzazav-cli"};
    int status = run_program(argc, argv, to);
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
