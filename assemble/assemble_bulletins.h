#pragma once

#include "calendar/utc_time.h"
#include "diagnostics/fault.h"

#include <string>
#include <vector>

// Reads the guidance product files in their order and puts together the bulletin file of
// the 1200 run: for KBKX, KHON, KMHE and KFSD the NAM (or ETA) and the GFS (or AVN)
// bulletins of 1200 UTC and the GFSX (or MRF) bulletins of 0000 UTC of the date wanted or,
// when it is null, of the latest date that has all twelve; of a bulletin received twice the
// one read last counts. Returns true with text the file, "\n" ending each line, or false
// with text empty and problems one per problem: a product that cannot be read, each
// bulletin missing, or one that the run could not read.
bool assemble_bulletins(const std::vector<std::string>& product_names, const utc_time* wanted,
                        std::string& text, std::vector<fault>& problems);
