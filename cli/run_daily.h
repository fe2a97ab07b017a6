#pragma once

#include "cli/commands.h"
#include "diagnostics/diagnostics.h"

#include <iosfwd>

// daily [--from BASE] [--archive DIR] [--until TIME] --weight W: today's forecast as a
// scheduler makes it, into the day folder DIR/YYYYMMDD (DIR default the current folder, the
// date today's in UTC, run_files.h). fetch downloads today's 1200 UTC products nbs, mav and mex
// (waiting for late ones until --until), assemble --date today gathers their bulletins
// (bulletins.txt), and forecast writes the report (bulletins.out), the JSON document
// (forecast.json), the chart (forecast.svg) and, where forecast makes one, the period
// product (periods.txt), its day table going to standard output: each step the command's
// own, run in this process. The day is made in a folder beside it, .YYYYMMDD.daily-PID,
// which takes the day's name only when whole, so that a day folder is complete or absent;
// a day that fails leaves nothing. A day folder already there is complete, and the run
// does nothing. Every line of standard output and of standard error is led by the UTC time
// it was written, "2026-12-15T15:30:02Z ". A build without libcurl leaves it out.
//
// Exit status: exit_done when the day was made, or was there; otherwise the status of the
// step that failed: fetch's exit_not_yet when today's products were not all on the servers
// by --until, assemble's when their bulletins are not all today's, exit_refused for a
// download or bulletins refused; exit_usage for a word it does not take, and in a build
// without libcurl; exit_not_written for a file or folder that could not be made.
int run_daily(const command_line& parsed, std::ostream& out, const diagnostics& to);

// Its row of the table of commands: its name, usage and options.
extern const cli_command daily_command;
