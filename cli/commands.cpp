#include "cli/commands.h"

#include "cli/run_assemble.h"
#include "cli/run_daily.h"
#include "cli/run_fetch.h"
#include "cli/run_forecast.h"
#include "cli/run_gfs.h"
#include "cli/run_verify.h"
#include "reading/places.h"

#include <iterator>
#include <ostream>

const cli_command* const cli_commands[] = {
    &fetch_command, &assemble_command,  &forecast_command, &daily_command,
    &gfs_command,   &gfs_point_command, &verify_command,
};
const std::size_t cli_command_count = std::size(cli_commands);

static const cli_option help_option = {'h', "help", false, nullptr};

static const cli_option* find_option(const cli_option* options, std::size_t count, char short_name,
                                     const std::string& long_name) {
    if (short_name == help_option.short_name || long_name == help_option.long_name)
        return &help_option;
    for (std::size_t i = 0; i < count; ++i) {
        if (short_name != 0 ? options[i].short_name == short_name
                            : long_name == options[i].long_name)
            return &options[i];
    }
    return nullptr;
}

bool parse_command_line(const std::vector<std::string>& args, const cli_option* options,
                        std::size_t count, command_line& parsed, std::string& error) {
    bool options_end = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // A lone "-" is an operand, as is everything after "--".
        if (options_end || arg.size() < 2 || arg[0] != '-') {
            parsed.operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            options_end = true;
            continue;
        }
        const bool is_long = arg[1] == '-';
        std::string name, value;
        bool has_value = false;
        if (is_long) {
            std::string::size_type equals = arg.find('=');
            name = arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
            if (equals != std::string::npos) {
                value = arg.substr(equals + 1);
                has_value = true;
            }
        } else {
            name = arg.substr(1, 1);
            if (arg.size() > 2) {
                value = arg.substr(2);
                has_value = true;
            }
        }
        const std::string written = (is_long ? "--" : "-") + name;
        const cli_option* option =
            find_option(options, count, is_long ? 0 : name[0], is_long ? name : "");
        if (!option) {
            error = "unknown option " + quote_word(written);
            return false;
        }
        const std::string long_written = "--" + std::string(option->long_name);
        if (option->takes_value && !has_value) {
            if (i + 1 == args.size()) {
                error = "option " + long_written + " needs a value";
                return false;
            }
            value = args[++i];
        } else if (!option->takes_value && has_value) {
            error = "option " + long_written + " takes no value";
            return false;
        }
        if (option->takes_value && value.empty()) {
            error = "option " + long_written + " is given an empty value, which names nothing";
            return false;
        }
        const char* kept = option->other_name_of ? option->other_name_of : option->long_name;
        parsed.options[kept] = value;
        parsed.given.push_back({kept, value, parsed.operands.size(), written});
    }
    return true;
}

const given_option* last_given(const command_line& parsed, const std::string& name) {
    for (auto option = parsed.given.rbegin(); option != parsed.given.rend(); ++option)
        if (option->name == name) return &*option;
    return nullptr;
}

std::string main_usage() {
    std::string text = "Usage: vuzazav-cli COMMAND [OPTION]... ARGUMENT...\n"
                       "The City of Vuzazav forecast from guidance files, without the menu.\n"
                       "\n"
                       "Commands:\n";
    for (const cli_command* c : cli_commands)
        text += std::string("  ") + c->synopsis + "\n      " + c->summary + "\n";
    return text + "\n"
                  "Options:\n"
                  "  -h, --help     show this help, or a command's with COMMAND --help, and exit\n"
                  "  --version      show the version and exit\n"
                  "\n"
                  "Exit status: 0 done, 1 the input was refused, 2 usage error,\n"
                  "3 an output could not be written, 4 not yet available (try later).\n";
}

int usage_error(const diagnostics& to, const std::string& error, const char* usage) {
    diagnose(to, error);
    *to.sink << usage;
    return exit_usage;
}

int run_command(const cli_command& command, const std::vector<std::string>& args, std::ostream& out,
                const diagnostics& to) {
    command_line parsed;
    std::string error;
    if (!parse_command_line(args, command.options, command.option_count, parsed, error))
        return usage_error(to, error, command.usage);
    if (parsed.options.count("help")) {
        out << command.usage;
        return exit_done;
    }
    const std::size_t most = command.operands == cli_operands::none  ? 0
                             : command.operands == cli_operands::one ? 1
                                                                     : parsed.operands.size();
    if (parsed.operands.empty() && command.operands != cli_operands::none)
        return usage_error(to, "missing argument", command.usage);
    if (parsed.operands.size() > most)
        return usage_error(to, "unexpected argument " + quote_word(parsed.operands[most]),
                           command.usage);
    return command.run(parsed, out, to);
}

int run_cli(const std::vector<std::string>& args, std::ostream& out, const diagnostics& to) {
    if (args.empty()) return usage_error(to, "missing command", main_usage().c_str());
    const std::string& name = args[0];
    if (name == "-h" || name == "--help") {
        out << main_usage();
        return exit_done;
    }
    if (name == "--version") {
        out << "vuzazav-cli " VUZAZAV_VERSION "\n";
        return exit_done;
    }
    for (const cli_command* command : cli_commands)
        if (name == command->name)
            return run_command(*command, std::vector<std::string>(args.begin() + 1, args.end()),
                               out, to);
    return usage_error(to, "unknown command " + quote_word(name), main_usage().c_str());
}
