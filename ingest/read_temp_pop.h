#pragma once

#include "ingest/bulletin_layout.h"
#include "diagnostics/file_note.h"

#include <cstdint>

// Fills eta_temp_pop [4][12], avn_temp_pop [4][12] and mrf_temp_pop [4][25] from the
// "N/X", "DPT", "P12" rows of bulletins 1-8 and the "X/N", "DPT", "P24" rows of
// bulletins 9-12, and row_start [12 * 3] with where it found the labels, in that order.
// Returns false, having closed the file, when a label is missing from its bulletin, a
// value is no 32-bit integer, or the input ends early; fault then says which and where.
bool read_temp_pop(std::int32_t* eta_temp_pop, std::int32_t* avn_temp_pop,
                   std::int32_t* mrf_temp_pop, const char* file_name, const bulletin_layout& layout,
                   long long* row_start, file_note& fault);
