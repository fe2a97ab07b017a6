#include "cli/cli_steps.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/usage.h"
#include "diagnostics/diagnostics.h"

#include <cstring>
#include <iostream>
#include <string>
#include <vector>

// The commands and what runs each, looked up by name.
static const char* const command_names[] = {"assemble", "forecast", "gfs", "gfs-point"};
static int (*const commands[])(const std::vector<std::string>&) = {run_assemble, run_forecast,
                                                                   run_gfs, run_gfs_point};

int main(int argc, char** argv) {
    set_diagnostic_program("vuzazav-cli");
    if (argc < 2) return usage_error("missing command", main_usage);
    const std::string name = argv[1];
    if (name == "-h" || name == "--help") {
        std::cout << main_usage;
        return exit_done;
    }
    if (name == "--version") {
        std::cout << "vuzazav-cli " VUZAZAV_VERSION "\n";
        return exit_done;
    }
    for (int i = 0; i < 4; ++i) {
        if (name == command_names[i])
            return commands[i](std::vector<std::string>(argv + 2, argv + argc));
    }
    return usage_error("unknown command \"" + name + "\"", main_usage);
}
