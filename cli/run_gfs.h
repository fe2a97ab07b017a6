#pragma once

#include "cli/commands.h"
#include "diagnostics/diagnostics.h"

#include <iosfwd>

// gfs MODEL [-o TABLE] [--chart FILE.svg] [--json FILE] [--csv FILE]: menu option 1
// without the menu. The GFS model file gets the menu's checks; then the table (named after
// MODEL unless -o names it), the chart and the JSON and CSV documents are written in that
// order, each completely or not at all, and nothing goes to standard output. The outputs
// are settled before the input is read: none may be the input or another output under any
// name. The chart is drawn before anything is written, so that a chart it refuses (hours
// beyond what a chart can show) leaves no table.
//
// Exit status: exit_done when every output was written; exit_refused for a model file that
// is missing or in the incorrect format; exit_not_written for an output that could not be
// written or would replace the input or another output.
int run_gfs(const command_line& parsed, std::ostream& out, const diagnostics& to);

// Its row of the table of commands: its name, usage and options.
extern const cli_command gfs_command;

// gfs-point [-o FILE] [--lat LAT --lon LON] GRIB2FILE...: the GFS model file that gfs and
// the menu read, from the GRIB2 files of one GFS run (gfs_point.h): hours 6 to 288 every 6
// hours at the grid point nearest to the point, the city's unless --lat and --lon name
// another. Each input must be a readable file and none may be FILE (default
// gfs_model.txt) under any name; the hours made from run totals are named on standard
// error, and FILE is written completely or not at all.
//
// Exit status: exit_done when written; exit_refused for a file that is no GRIB2, a field
// or hour missing, two runs mixed, different grids or the point off the grid; exit_usage
// for a latitude or longitude that is no number in range, one without the other, and in a
// build without ecCodes; exit_not_written when FILE could not be written or would replace
// an input.
int run_gfs_point(const command_line& parsed, std::ostream& out, const diagnostics& to);

// Its row of the table of commands: its name, usage and options.
extern const cli_command gfs_point_command;
