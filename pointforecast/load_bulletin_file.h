#pragma once

#include "pointforecast/station_arrays.h"

#include <string>

// The sentence with which the 1200 run refuses a bulletin file.
inline constexpr const char* invalid_file_sentence = "Your file is invalid.";

// Checks the twelve bulletin headers of the named file and reads the rows of every
// bulletin into arrays. Returns false when the file is no valid bulletin file, with fault
// set to what is wrong and where ("NAME:LINE: WHAT", or "NAME: WHAT").
bool load_bulletin_file(const std::string& name, station_arrays& arrays, std::string& fault);
