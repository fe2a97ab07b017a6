#pragma once

#include "cli/parse_command_line.h"
#include "diagnostics/diagnostics.h"
#include "diagnostics/fault.h"

#include <fstream>
#include <string>
#include <vector>

// A command of vuzazav-cli: its name, its line in the program's usage and what it does,
// its own usage, its options, and whether it takes several operands. run gets the command
// line taken apart and returns the exit status.
struct cli_command {
    const char* name;
    const char* synopsis;
    const char* summary;
    const char* usage;
    const cli_option* options;
    std::size_t option_count;
    bool several_operands;
    int (*run)(const command_line& parsed, const diagnostics& why);
};

// Every command, looked up by name.
extern const cli_command cli_commands[];
extern const std::size_t cli_command_count;

// Says a usage error and the command's usage on standard error; returns exit_usage.
int usage_error(const diagnostics& to, const std::string& error, const char* usage);

// Says a refusal: its sentence, where it has one, then why; returns its exit status.
int refuse(const diagnostics& to, const fault& why);

// Opens the input file of a run and settles its outputs: the first is the -o option's
// value or the input name with "out" in place of its last three characters, then the
// values of the options named in more, where given (empty where not). None may be the
// input nor another. Returns exit_done, or the status to end with after saying why.
int open_run_files(const diagnostics& to, const command_line& parsed, std::ifstream& input,
                   std::vector<std::string>& outputs, const std::vector<const char*>& more);

// Writes an output completely or not at all, and says where it went; returns exit_done,
// or exit_not_written after saying why.
int write_output(const diagnostics& to, const std::string& name, const std::string& text);

// The program and its version, as the documents name the program that wrote them.
extern const char* const program_version;

// Writes the JSON and CSV documents of a run to the files named, where named (empty where
// not), in that order, each completely or not at all; returns exit_done or the status to
// end with.
int write_documents(const diagnostics& to, const std::string& json_name,
                    const std::string& json_text, const std::string& csv_name,
                    const std::string& csv_text);
