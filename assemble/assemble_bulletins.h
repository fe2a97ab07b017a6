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
// findings, when not null, gets what the products held, whether or not a file was made;
// options say what the file may lack.
// Which short-range guidance fills places 1 to 4: NAM when all four are there, else NBM;
// or only the one named.
enum class short_range_choice { either, nam, nbm };
// What the file may lack. With allow_missing_stations each group of four may lack one or
// two stations, written as absent bulletins (bulletin_layout.h) with the header of the
// group's first bulletin there, so that the forecast rests on the stations present; the
// short-range group is then NAM or NBM, whichever has more stations (NAM on a tie). With
// short_range_only the file holds bulletins 1 to 8 alone: the extended ones are neither
// looked for nor taken.
struct assemble_options {
    bool allow_missing_stations = false;
    bool short_range_only = false;
};
// What the products held, for a caller that tells guidance not there yet from a broken
// product: whether any bulletin of the file's places was read and the latest date one
// carries; whether one of the date looked for (or chosen) was read; whether that date
// lacks bulletins while every product could be read; and each bulletin written as absent
// in the file made ("KHON NBM NBS 1200 UTC bulletin of 12/09/2026").
struct assemble_findings {
    bool found = false;
    utc_time latest{0, 0, 0, 0};
    bool date_found = false;
    bool lacking = false;
    std::vector<std::string> absent;
};
bool assemble_bulletins(const std::vector<std::string>& product_names, const utc_time* wanted,
                        short_range_choice choice, std::string& text, std::string& taken,
                        std::vector<fault>& problems, assemble_findings* findings = nullptr,
                        const assemble_options& options = {});
