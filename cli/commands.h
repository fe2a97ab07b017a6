#pragma once

#include "cli/parse_command_line.h"
#include "diagnostics/diagnostics.h"

// The commands of vuzazav-cli. Each gets its command line taken apart, does its whole
// work without reading standard input, and returns the exit status.
int run_assemble(const command_line& parsed, const diagnostics& to);
int run_forecast(const command_line& parsed, const diagnostics& to);
int run_gfs(const command_line& parsed, const diagnostics& to);
int run_gfs_point(const command_line& parsed, const diagnostics& to);
int run_verify(const command_line& parsed, const diagnostics& to);
