#include "cli/parse_command_line.h"

static const cli_option help_option = {'h', "help", false};

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
        const cli_option* option =
            find_option(options, count, is_long ? 0 : name[0], is_long ? name : "");
        if (!option) {
            error = "unknown option " + (is_long ? "--" + name : "-" + name);
            return false;
        }
        if (option->takes_value && !has_value) {
            if (i + 1 == args.size()) {
                error = "option --" + std::string(option->long_name) + " needs a value";
                return false;
            }
            value = args[++i];
        } else if (!option->takes_value && has_value) {
            error = "option --" + std::string(option->long_name) + " takes no value";
            return false;
        }
        parsed.options[option->long_name] = value;
        parsed.given.push_back({option->long_name, value, parsed.operands.size()});
    }
    return true;
}
