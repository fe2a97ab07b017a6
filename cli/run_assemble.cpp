#include "cli/run_assemble.h"

#include "assemble/assemble_bulletins.h"
#include "calendar/bulletin_date.h"
#include "calendar/iso_date.h"
#include "cli/run_files.h"
#include "files/output_names.h"
#include "reading/places.h"

#include <iterator>

static const char* const usage =
    "Usage: vuzazav-cli assemble [-o FILE] [--date DATE|today] [--short-range nam|nbm]\n"
    "       [--allow-missing-stations] [--short-range-only] PRODUCT...\n"
    "Gathers the twelve bulletins the 1200 run needs, for the stations KBKX, KHON, KMHE and\n"
    "KFSD: NAM (or ETA) when all four are there, else NBM NBS, and GFS (or AVN) at 1200 UTC,\n"
    "and GFSX (or MRF) at 0000 UTC, all of one date, from guidance products as received\n"
    "(headings, framing, any station order, the national NBS product too), and writes them\n"
    "in the order the 1200 run reads them, model words as received.\n"
    "\n"
    "Options:\n"
    "  -o FILE        the bulletin file to write (default bulletins.txt)\n"
    "  --date DATE    the date of the bulletins, month/day/year or year-month-day (default:\n"
    "                 the latest date any bulletin carries, with a warning when it is not\n"
    "                 today's; when it lacks one, nothing is written)\n"
    "  --date today   today's date in UTC, and no other: older guidance is never taken\n"
    "  --short-range G  nam or nbm: take only that short-range guidance\n"
    "  --allow-missing-stations  take a set in which a group lacks one or two of the\n"
    "                 four stations, each written as an absent bulletin; the forecast\n"
    "                 rests on the stations present\n"
    "  --short-range-only  write bulletins 1 to 8 alone, without the extended guidance\n"
    "                 (for forecast --short-range-only: days 1 and 2)\n"
    "  -h, --help     show this help and exit\n"
    "\n"
    "Exit status: 0 written, 1 a product could not be read or a bulletin is missing\n"
    "(each missing one is listed), 2 usage error, 3 the file could not be written,\n"
    "4 (--date today) today's bulletins are not all there yet.\n";

static const cli_option options[] = {
    {'o', "output", true, nullptr},          {0, "date", true, nullptr},
    {0, "short-range", true, nullptr},       {0, "allow-missing-stations", false, nullptr},
    {0, "short-range-only", false, nullptr},
};

// Says that today's guidance is not all there yet, and what there is; returns exit_not_yet.
static int not_yet_available(const diagnostics& to, const utc_time& today,
                             const assemble_findings& found, const std::vector<fault>& missing) {
    const std::string date = format_bulletin_date(today);
    if (found.date_found) {
        diagnose(to, "not yet available: today's guidance, " + date + " (UTC), lacks bulletins:");
        for (const fault& problem : missing) diagnose(to, fault_line(problem));
    } else if (found.found) {
        diagnose(to, "not yet available: no bulletin of today, " + date +
                         " (UTC), among the products; the latest date they hold is " +
                         format_bulletin_date(found.latest));
    } else {
        diagnose(to, "not yet available: no bulletin of today, " + date +
                         " (UTC), among the products; they hold no guidance bulletin of KBKX, "
                         "KHON, KMHE or KFSD");
    }
    return exit_not_yet;
}

int run_assemble(const command_line& parsed, std::ostream&, const diagnostics& to) {
    utc_time date{0, 0, 0, 0};
    const utc_time* wanted = nullptr;
    auto given = parsed.options.find("date");
    // Without a date the latest one is taken, and today's is needed to say when it is older.
    const bool today_only = given != parsed.options.end() && given->second == "today";
    utc_time today{0, 0, 0, 0};
    if (given == parsed.options.end() || today_only) {
        if (const int status = today_utc(to, today); status != exit_done) return status;
    }
    if (today_only) {
        date = today;
        wanted = &date;
    } else if (given != parsed.options.end()) {
        // An ISO date (2026-12-09) is taken as the month/day/year it names.
        std::string word = given->second;
        utc_time iso{0, 0, 0, 0};
        if (parse_iso_date(word, iso)) word = format_bulletin_date(iso);
        if (!parse_bulletin_date(word, date))
            return usage_error(to,
                               "--date " + quote_word(given->second) +
                                   " is no date month/day/year or year-month-day, nor today",
                               usage);
        wanted = &date;
    }
    short_range_choice choice = short_range_choice::either;
    auto forced = parsed.options.find("short-range");
    if (forced != parsed.options.end()) {
        if (forced->second != "nam" && forced->second != "nbm")
            return usage_error(
                to, "--short-range " + quote_word(forced->second) + " is neither nam nor nbm",
                usage);
        choice = forced->second == "nam" ? short_range_choice::nam : short_range_choice::nbm;
    }
    auto named = parsed.options.find("output");
    const std::string output = named != parsed.options.end() ? named->second : "bulletins.txt";
    // The products are never changed: none may be the output under any name.
    fault why;
    for (const std::string& product : parsed.operands)
        if (!check_run_outputs(product, {output}, why)) return refuse(to, why);
    assemble_options lacking;
    lacking.allow_missing_stations = parsed.options.count("allow-missing-stations") > 0;
    lacking.short_range_only = parsed.options.count("short-range-only") > 0;
    std::string text, taken;
    std::vector<fault> problems;
    assemble_findings found;
    if (!assemble_bulletins(parsed.operands, wanted, choice, text, taken, problems, &found,
                            lacking)) {
        // Today's bulletins may still come; a product that cannot be read will not mend.
        if (today_only && found.lacking) return not_yet_available(to, today, found, problems);
        for (const fault& problem : problems) diagnose(to, fault_line(problem));
        return exit_refused;
    }
    diagnose(to, taken);
    if (lacking.short_range_only)
        diagnose(to, "short-range guidance only: bulletins 1 to 8, for forecast "
                     "--short-range-only");
    for (const std::string& absent : found.absent)
        diagnose(to, "absent: the " + absent + "; the forecast rests on the other stations");
    if (!wanted && !same_day(found.latest, today))
        diagnose(to, format_bulletin_date(found.latest) +
                         ", the latest date of the products, is not today's date, " +
                         format_bulletin_date(today) + " (UTC); --date today would refuse it");
    return write_output(to, output, text);
}

const cli_command assemble_command = {
    "assemble",
    "assemble [-o FILE] [--date DATE|today] [--short-range nam|nbm]\n"
    "           [--allow-missing-stations] [--short-range-only] PRODUCT...",
    "gather the twelve bulletins of the 1200 run from guidance products",
    usage,
    options,
    std::size(options),
    cli_operands::one_or_more,
    run_assemble,
};
