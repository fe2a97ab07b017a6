#include "cli/cli_steps.h"

#include "cli/exit_codes.h"

#include <ostream>

int usage_error(const diagnostics& to, const std::string& error, const char* usage) {
    diagnose(to, error);
    *to.sink << usage;
    return exit_usage;
}
