#pragma once

#include "cli/parse_command_line.h"

#include <string>
#include <vector>

// Steps that the commands share. Each tells the user on standard error what went wrong.

// Takes the command line of a command apart. Returns false, with status set, when the
// command ends here: after printing its usage for --help (exit_done), or at a usage
// error (exit_usage), a number of operands other than one (with several_operands: none)
// among them.
bool take_command_line(const std::vector<std::string>& args, const option_spec* options, int count,
                       const char* usage, bool several_operands, command_line& parsed, int& status);

// Says a usage error and the command's usage; returns exit_usage.
int usage_error(const std::string& error, const char* usage);

// Says a refusal: its fixed sentence, then why; returns status.
int refuse(const std::string& sentence, const std::string& why, int status);

// Checks the input file of a run and settles its output names: output, the -o option's
// value or the input name with "out" in place of its last three characters, and chart,
// the --chart option's value or empty. Neither may be the input, nor chart the output.
// Returns exit_done, or the status to end with after saying why.
int check_run_files(const std::string& input, const command_line& parsed, std::string& output,
                    std::string& chart);

// Writes an output completely or not at all, and says where it went; returns exit_done,
// or exit_not_written after saying why.
int write_output(const std::string& name, const std::string& text);
