#include "cli/cli_steps.h"

#include "cli/exit_codes.h"
#include "files/input_file.h"
#include "files/output_names.h"

int open_run_files(const diagnostics& to, const command_line& parsed, std::ifstream& input,
                   std::vector<std::string>& outputs, const std::vector<const char*>& more) {
    const std::string& name = parsed.operands[0];
    fault why;
    if (!open_input_file(name, input, why)) return refuse(to, why);
    outputs.assign(1, "");
    auto named = parsed.options.find("output");
    if (named != parsed.options.end()) {
        outputs[0] = named->second;
    } else if (!output_file_name(name, outputs[0], why)) {
        why.what += "; name the output with -o";
        return refuse(to, why);
    }
    std::vector<std::string> written{outputs[0]};
    for (const char* option : more) {
        auto given = parsed.options.find(option);
        outputs.push_back(given != parsed.options.end() ? given->second : "");
        if (!outputs.back().empty()) written.push_back(outputs.back());
    }
    return check_run_outputs(name, written, why) ? exit_done : refuse(to, why);
}
