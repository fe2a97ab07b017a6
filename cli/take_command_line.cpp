#include "cli/cli_steps.h"
#include "cli/exit_codes.h"

#include <iostream>

bool take_command_line(const std::vector<std::string>& args, const option_spec* options, int count,
                       const char* usage, bool several_operands, command_line& parsed,
                       int& status) {
    std::string error;
    if (!parse_command_line(args, options, count, parsed, error)) {
        status = usage_error(error, usage);
        return false;
    }
    if (parsed.options.count("help")) {
        std::cout << usage;
        status = exit_done;
        return false;
    }
    if (parsed.operands.empty()) {
        status = usage_error("missing argument", usage);
        return false;
    }
    if (parsed.operands.size() > 1 && !several_operands) {
        status = usage_error("unexpected argument \"" + parsed.operands[1] + "\"", usage);
        return false;
    }
    return true;
}
