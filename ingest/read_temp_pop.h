#pragma once

#include "ingest/bulletin_layout.h"

#include <cstdint>

// Fills eta_temp_pop [4][12], avn_temp_pop [4][12] and mrf_temp_pop [4][25] from the
// "N/X", "DPT", "P12" rows of bulletins 1-8 and the "X/N", "DPT", "P24" rows of
// bulletins 9-12. Returns false, having closed the file, when a label is missing from its
// bulletin, a value is no 32-bit integer, or the input ends early.
bool read_temp_pop(std::int32_t* eta_temp_pop, std::int32_t* avn_temp_pop,
                   std::int32_t* mrf_temp_pop, const char* file_name,
                   const bulletin_layout& layout);
