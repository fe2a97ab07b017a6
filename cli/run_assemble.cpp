#include "cli/cli_steps.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/usage.h"

static const option_spec assemble_options[] = {
    {'o', "output", true},
    {0, "date", true},
};

int run_assemble(const std::vector<std::string>& args) {
    command_line parsed;
    int status = exit_done;
    if (!take_command_line(args, assemble_options, 2, assemble_usage, true, parsed, status))
        return status;
    return usage_error("assemble is not built yet", assemble_usage);
}
