#pragma once

#include "ingest/bulletin_layout.h"

#include <string>

// The guidance a bulletin file holds as a forecaster names it: the two short-range models
// of 1200 UTC ("NBM and GFS") and the extended one of 0000 UTC ("GFSX"), each group's
// model words as its headers give them, in station order, the distinct ones joined by
// "/". A file whose first four bulletins are ETA keeps the names the 1200 run has always
// given: "ETA and AVN", "MRF".
void guidance_names(const bulletin_layout& layout, std::string& short_models,
                    std::string& extended_model);
