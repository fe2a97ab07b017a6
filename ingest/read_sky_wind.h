#pragma once

#include "ingest/bulletin_layout.h"
#include "diagnostics/file_note.h"

#include <cstdint>

// Fills eta_sky_wind [4][57], avn_sky_wind [4][57] and mrf_sky_wind [4][22] from the
// "CLD", "WDR", "WSP" rows of bulletins 1-8 and the "CLD", "WND" rows of bulletins 9-12,
// cloud words as codes, and row_start [12 * 3] with where it found the labels, in that
// order (-1 for the third row of an extended bulletin). Returns false, having closed the
// file, when a label is missing from its bulletin, a value is no 32-bit integer, a cloud
// word is unknown, or the input ends early; fault then says which and where.
bool read_sky_wind(std::int32_t* eta_sky_wind, std::int32_t* avn_sky_wind,
                   std::int32_t* mrf_sky_wind, const char* file_name, const bulletin_layout& layout,
                   long long* row_start, file_note& fault);
