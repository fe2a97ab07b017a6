#pragma once

#include "cli/commands.h"
#include "diagnostics/diagnostics.h"

#include <iosfwd>

// assemble [-o FILE] [--date DATE|today] [--short-range nam|nbm] [--allow-missing-stations]
// [--short-range-only] PRODUCT...: the bulletin file of the 1200 run, gathered from
// guidance products as they arrive (assemble_bulletins.h), a group lacking one or two
// stations written with them absent (each named on standard error) where allowed, or
// bulletins 1 to 8 alone. The date is month/day/year or year-month-day, or "today", today's
// date in UTC (run_files.h) and no other; without it the latest date any bulletin carries is
// taken, with a warning when it is not today's, and when that date lacks a bulletin nothing
// is written, even if an older date is whole. What was taken is said on standard error
// ("12/09/2026: NBM NBS 1200 UTC, GFS MOS 1200 UTC, GFSX MOS 0000 UTC"), then FILE (default
// bulletins.txt) is written completely or not at all. No product may be FILE under any name.
//
// Exit status: exit_done when written; exit_refused for a product that cannot be read, a
// bulletin missing (each listed) or one the run could not read; exit_usage for a date or
// short-range word that is none; exit_not_written when FILE could not be written or would
// replace a product; exit_not_yet, with --date today, when today's bulletins are not all
// among the products (the latest date they hold is named, or today's missing ones listed).
int run_assemble(const command_line& parsed, std::ostream& out, const diagnostics& to);

// Its row of the table of commands: its name, usage and options.
extern const cli_command assemble_command;
