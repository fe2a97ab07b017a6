#include "assemble/assemble_bulletins.h"
#include "cli/cli_steps.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/usage.h"
#include "ingest/parse_bulletin_date.h"
#include "files/check_input_file.h"
#include "diagnostics/diagnostics.h"
#include "diagnostics/sentences.h"

static const option_spec assemble_options[] = {
    {'o', "output", true},
    {0, "date", true},
};

int run_assemble(const std::vector<std::string>& args) {
    command_line parsed;
    int status = exit_done;
    if (!take_command_line(args, assemble_options, 2, assemble_usage, true, parsed, status))
        return status;
    bulletin_date date{};
    const bulletin_date* wanted = nullptr;
    auto given = parsed.options.find("date");
    if (given != parsed.options.end()) {
        if (!parse_bulletin_date(given->second, date))
            return usage_error("--date \"" + given->second + "\" is no date month/day/year",
                               assemble_usage);
        wanted = &date;
    }
    auto named = parsed.options.find("output");
    const std::string output = named != parsed.options.end() ? named->second : "bulletins.txt";
    // The products are never changed: none may be the output under any name.
    std::string why;
    for (const std::string& product : parsed.operands) {
        if (check_output_name(product, output, why))
            return refuse(output_is_input_sentence, why, exit_not_written);
    }
    std::string text;
    std::vector<std::string> problems;
    if (!assemble_bulletins(parsed.operands, wanted, text, problems)) {
        for (const std::string& problem : problems) diagnose(problem);
        return exit_refused;
    }
    return write_output(output, text);
}
