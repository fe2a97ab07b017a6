#pragma once

#include "cli/commands.h"
#include "diagnostics/diagnostics.h"

#include <iosfwd>

// verify [--chart FILE.svg] [--json FILE] [--station ID] OBSERVATIONS... [--] FORECAST...:
// past forecasts, the documents of forecast --json, scored against observed daily minimum
// and maximum temperatures (mesonet daily CSV or CF6 products, told apart by content, in
// any order), and the weight that would have fitted them best. --station names the station
// of the CF6 products after it. The table goes to the command's standard output, then the
// chart and the JSON document are written, each completely or not at all. No input may be
// an output under any name; the warnings of the inputs are said on standard error.
//
// Exit status: exit_done when the table was made and every output written; exit_refused
// for an input that cannot be read or is none of the three kinds, and when no forecast
// meets an observation; exit_usage for a station that is none of the four;
// exit_not_written for an output that could not be written or would replace an input.
int run_verify(const command_line& parsed, std::ostream& out, const diagnostics& to);

// Its row of the table of commands: its name, usage and options.
extern const cli_command verify_command;
