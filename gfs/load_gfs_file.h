#pragma once

#include "arith/shared_types.h"

#include <string>

// The sentence with which the GFS run refuses a model file.
inline constexpr const char* incorrect_format_sentence = "Your file is in the incorrect format.";

// Checks the field header of the named GFS model file and reads its gfs_row_count rows.
// Returns false when the file is not in the format, with fault set to what is wrong and
// where ("NAME:LINE: WHAT", or "NAME: WHAT"); the rows are then not all filled.
bool load_gfs_file(const std::string& name, gfs_row* rows, std::string& fault);
