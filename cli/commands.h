#pragma once

#include "diagnostics/diagnostics.h"
#include "diagnostics/fault.h"

#include <cstddef>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

// vuzazav-cli's command line: its commands and their options, how a command line is taken
// apart and dispatched, and the exit status it ends with, for scripts and schedulers.

inline constexpr int exit_done = 0;        // every output was written
inline constexpr int exit_refused = 1;     // the input was refused
inline constexpr int exit_usage = 2;       // the command line is wrong
inline constexpr int exit_not_written = 3; // an output could not be written
inline constexpr int exit_not_yet = 4;     // what is asked for is not there yet: try later

// The status a refusal of this kind ends the command with.
inline constexpr int exit_status_of(fault_kind kind) {
    switch (kind) {
    case fault_kind::bad_weight:
    case fault_kind::usage:
        return exit_usage;
    case fault_kind::output_is_input:
    case fault_kind::same_output:
    case fault_kind::not_written:
        return exit_not_written;
    default:
        return exit_refused;
    }
}

// An option of a command: its one-letter name (0 for none), its long name, whether it
// takes a value ("-o FILE", "-oFILE", "--date DATE", "--date=DATE"), and the option it is
// another name of (null for none), under whose name it is then kept.
struct cli_option {
    char short_name;
    const char* long_name;
    bool takes_value;
    const char* other_name_of;
};

// An option as given: the name it is kept under, its value, how many operands stood before
// it (for options that apply to the operands after them), and its name as written
// ("--eta-weight", "-o"), for messages.
struct given_option {
    std::string name;
    std::string value;
    std::size_t operands_before;
    std::string written;
};

// A command line taken apart: the operands in order, and each option given, by long name,
// with its value (empty for an option without one; the last one given counts), and every
// option in the order given.
struct command_line {
    std::vector<std::string> operands;
    std::map<std::string, std::string> options;
    std::vector<given_option> given;
};

// Takes args apart by the count options of options; "-h" and "--help" are always known,
// and "--" ends the options. Returns false, with error saying what is wrong, at an unknown
// option, an option without its value, a value given to an option that takes none, and an
// empty value, which names nothing (a script's "--json $OUT" with OUT unset).
bool parse_command_line(const std::vector<std::string>& args, const cli_option* options,
                        std::size_t count, command_line& parsed, std::string& error);

// The last option given under name, or null.
const given_option* last_given(const command_line& parsed, const std::string& name);

// How many operands a command takes.
enum class cli_operands { none, one, one_or_more };

// A command: its name, its line in the program's usage and what it does, its own usage,
// its options, and how many operands it takes. run gets the command line taken
// apart and the program's standard output, does its whole work without reading standard
// input, and returns the exit status.
struct cli_command {
    const char* name;
    const char* synopsis;
    const char* summary;
    const char* usage;
    const cli_option* options;
    std::size_t option_count;
    cli_operands operands;
    int (*run)(const command_line& parsed, std::ostream& out, const diagnostics& to);
};

// Every command, in the order the usage lists them.
extern const cli_command* const cli_commands[];
extern const std::size_t cli_command_count;

// The program's usage, made from the table of commands.
std::string main_usage();

// Says a usage error and the usage on standard error; returns exit_usage.
int usage_error(const diagnostics& to, const std::string& error, const char* usage);

// Takes the command line of command apart (the command's name left out) and runs it, as the
// program does: its --help, a usage error, or its run's exit status.
int run_command(const cli_command& command, const std::vector<std::string>& args, std::ostream& out,
                const diagnostics& to);

// Runs the program on its arguments (the program name left out): --help, --version or a
// command, the help and a command's standard output going to out. Returns the exit status.
int run_cli(const std::vector<std::string>& args, std::ostream& out, const diagnostics& to);
