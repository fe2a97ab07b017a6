#include "assemble/assemble_bulletins.h"
#include "calendar/bulletin_date.h"
#include "calendar/iso_date.h"
#include "cli/cli_steps.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/usage.h"
#include "files/output_names.h"

int run_assemble(const command_line& parsed, const diagnostics& to) {
    utc_time date{0, 0, 0, 0};
    const utc_time* wanted = nullptr;
    auto given = parsed.options.find("date");
    if (given != parsed.options.end()) {
        // An ISO date (2026-12-09) is taken as the month/day/year it names.
        std::string word = given->second;
        utc_time iso{0, 0, 0, 0};
        if (parse_iso_date(word, iso)) word = format_bulletin_date(iso);
        if (!parse_bulletin_date(word, date))
            return usage_error(
                to, "--date \"" + given->second + "\" is no date month/day/year or year-month-day",
                assemble_usage);
        wanted = &date;
    }
    short_range_choice choice = short_range_choice::either;
    auto forced = parsed.options.find("short-range");
    if (forced != parsed.options.end()) {
        if (forced->second != "nam" && forced->second != "nbm")
            return usage_error(to,
                               "--short-range \"" + forced->second + "\" is neither nam nor nbm",
                               assemble_usage);
        choice = forced->second == "nam" ? short_range_choice::nam : short_range_choice::nbm;
    }
    auto named = parsed.options.find("output");
    const std::string output = named != parsed.options.end() ? named->second : "bulletins.txt";
    // The products are never changed: none may be the output under any name.
    fault why;
    for (const std::string& product : parsed.operands)
        if (!check_run_outputs(product, {output}, why)) return refuse(to, why);
    std::string text, taken;
    std::vector<fault> problems;
    if (!assemble_bulletins(parsed.operands, wanted, choice, text, taken, problems)) {
        for (const fault& problem : problems) diagnose(to, fault_line(problem));
        return exit_refused;
    }
    diagnose(to, taken);
    return write_output(to, output, text);
}
