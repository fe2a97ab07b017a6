#pragma once

#include "cli/commands.h"
#include "diagnostics/diagnostics.h"

#include <iosfwd>

// forecast BULLETINS --weight W [-o REPORT] [--chart FILE.svg] [--json FILE] [--csv FILE]
// [--product FILE] [--short-range-only] [--flag-...]: menu option 4 without the menu
// (--eta-weight is the weight's older name). The bulletin file gets the menu's checks in
// the menu's order and its warnings; then the day table goes to the command's standard
// output as the menu prints it, and the report (named after BULLETINS unless -o names it),
// the period product, the chart and the JSON and CSV documents are written in that order,
// each completely or not at all. With --short-range-only they are made of bulletins 1 to 8
// alone, and each leaves out days 3 to 7 and the extended hours and says so. With
// --product or --json, each flag of the periods is said on standard error before them; a
// flag changes no number and no status. The outputs are settled before the input is read:
// none may be the input or another output under any name. The chart is drawn before
// anything is written, so that a chart it refuses leaves no report.
//
// Exit status: exit_done when every output was written; exit_refused for a bulletin file
// that is missing or invalid (eight bulletins without --short-range-only among them), or
// has no real date to chart or to name the product's periods; exit_usage for a weight
// that is missing, no number or outside 0 to 1 (a script's 60 is always a slip; only the
// menu extrapolates), or a flag option that is no number of 0 or more (a range, two
// numbers, the lower first); exit_not_written for an output that could not be written or
// would replace the input or another output. A day table that does not reach standard
// output (a reader that has gone) keeps nothing else from being written; the program's
// end reports it.
int run_forecast(const command_line& parsed, std::ostream& out, const diagnostics& to);

// The weight of --weight (or --eta-weight), from 0 to 1, as forecast takes it. Returns
// exit_done, or exit_usage after saying why with usage.
int read_forecast_weight(const command_line& parsed, const diagnostics& to, const char* usage,
                         double& eta_weight);

// Its row of the table of commands: its name, usage and options.
extern const cli_command forecast_command;
