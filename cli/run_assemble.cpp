#include "assemble/assemble_bulletins.h"
#include "calendar/bulletin_date.h"
#include "cli/cli_steps.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/usage.h"
#include "files/check_run_outputs.h"

int run_assemble(const command_line& parsed, const diagnostics& to) {
    utc_time date{0, 0, 0, 0};
    const utc_time* wanted = nullptr;
    auto given = parsed.options.find("date");
    if (given != parsed.options.end()) {
        if (!parse_bulletin_date(given->second, date))
            return usage_error(to, "--date \"" + given->second + "\" is no date month/day/year",
                               assemble_usage);
        wanted = &date;
    }
    auto named = parsed.options.find("output");
    const std::string output = named != parsed.options.end() ? named->second : "bulletins.txt";
    // The products are never changed: none may be the output under any name.
    fault why;
    for (const std::string& product : parsed.operands)
        if (!check_run_outputs(product, {output}, why)) return refuse(to, why);
    std::string text;
    std::vector<fault> problems;
    if (!assemble_bulletins(parsed.operands, wanted, text, problems)) {
        for (const fault& problem : problems) diagnose(to, fault_line(problem));
        return exit_refused;
    }
    return write_output(to, output, text);
}
