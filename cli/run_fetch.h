#pragma once

#include "cli/commands.h"
#include "diagnostics/diagnostics.h"

#include <iosfwd>

// fetch [--date DATE] [--cycle HH] [--to DIR] [--from BASE] [--until TIME] WHAT...: NOAA's
// guidance products of one run downloaded into DIR (default: the current folder, made when
// missing), each file completely or not at all, named as the server names it
// (fetch_products.h). WHAT is nbs, mav, mex or gfs. The date is today's in UTC (run_files.h)
// unless --date names one; the servers are NOMADS and ftpprd, tried in turn, unless --from
// names others; while a product is not there yet it is tried again until --until (default:
// given up at once). Each download and each fault is a line on standard error. A build
// without libcurl leaves the command out and says so.
//
// Exit status: exit_done when every file is there; exit_refused for a download broken or
// refused (a wrong answer, a message not whole); exit_usage for a word it does not take,
// and in a build without libcurl; exit_not_written for a folder or file that could not be
// made; exit_not_yet for a product the servers did not have yet when it gave up.
int run_fetch(const command_line& parsed, std::ostream& out, const diagnostics& to);

// Its row of the table of commands: its name, usage and options.
extern const cli_command fetch_command;
