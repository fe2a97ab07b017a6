#pragma once

#include "calendar/utc_time.h"
#include "diagnostics/fault.h"

#include <string>
#include <vector>

// Reads the guidance product files in their order and puts together the bulletin file of
// the 1200 run: for KBKX, KHON, KMHE and KFSD the NAM (or ETA) bulletins of 1200 UTC when
// all four are there, else the NBM NBS ones, the GFS (or AVN) bulletins of 1200 UTC and the
// GFSX (or MRF) bulletins of 0000 UTC, of the date wanted or, when it is null, of the
// latest date any of them carries; of a bulletin received twice the one read last counts.
// Model words are written as received, date words alike. Returns true with text the file,
// "\n" ending each line, and taken what it took ("12/09/2026: NBM NBS 1200 UTC, GFS MOS
// 1200 UTC, GFSX MOS 0000 UTC"), or false with text empty and problems one per problem: a
// product that cannot be read, each bulletin missing, or one that the run could not read.
// findings, when not null, gets what the products held, whether or not a file was made.
// Which short-range guidance fills places 1 to 4: NAM when all four are there, else NBM;
// or only the one named.
enum class short_range_choice { either, nam, nbm };
// What the products held, for a caller that tells guidance not there yet from a broken
// product: whether any bulletin of the file's places was read and the latest date one
// carries; whether one of the date looked for (or chosen) was read; and whether that date
// lacks bulletins while every product could be read.
struct assemble_findings {
    bool found = false;
    utc_time latest{0, 0, 0, 0};
    bool date_found = false;
    bool lacking = false;
};
bool assemble_bulletins(const std::vector<std::string>& product_names, const utc_time* wanted,
                        short_range_choice choice, std::string& text, std::string& taken,
                        std::vector<fault>& problems, assemble_findings* findings = nullptr);
