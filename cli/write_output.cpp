#include "cli/cli_steps.h"

#include "cli/exit_codes.h"
#include "files/output_writer.h"

int write_output(const diagnostics& to, const std::string& name, const std::string& text) {
    fault why;
    if (!write_run_output(name, text, why)) return refuse(to, why);
    diagnose(to, "wrote " + name);
    return exit_done;
}
