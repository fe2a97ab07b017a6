#include "cli/cli_steps.h"
#include "cli/exit_codes.h"
#include "diagnostics/diagnostics.h"

#include <iostream>

int usage_error(const std::string& error, const char* usage) {
    diagnose(error);
    std::cerr << usage;
    return exit_usage;
}
