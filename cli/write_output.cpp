#include "cli/cli_steps.h"
#include "cli/exit_codes.h"
#include "diagnostics/diagnostics.h"
#include "files/save_output_file.h"

int write_output(const std::string& name, const std::string& text) {
    return save_output_file(name, text, diagnose) ? exit_done : exit_not_written;
}
