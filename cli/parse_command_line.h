#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

// An option of a command: its one-letter name (0 for none), its long name, and whether
// it takes a value ("-o FILE", "-oFILE", "--date DATE", "--date=DATE").
struct cli_option {
    char short_name;
    const char* long_name;
    bool takes_value;
};

// An option as given, and how many operands stood before it, for options that apply to
// the operands after them.
struct given_option {
    std::string name; // the long name
    std::string value;
    std::size_t operands_before;
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
// option, an option without its value, or a value given to an option that takes none.
bool parse_command_line(const std::vector<std::string>& args, const cli_option* options,
                        std::size_t count, command_line& parsed, std::string& error);
