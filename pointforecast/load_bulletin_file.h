#pragma once

#include "pointforecast/station_arrays.h"

#include <string>
#include <vector>

// The sentence with which the 1200 run refuses a bulletin file.
inline constexpr const char* invalid_file_sentence = "Your file is invalid.";

// Checks the twelve bulletin headers of the named file and reads the rows of every
// bulletin into arrays. Returns false when the file is no valid bulletin file or leaves a
// forecast value without any station, with fault set to what is wrong and where
// ("NAME:LINE: WHAT", or "NAME: WHAT"). Otherwise sets warnings to one such line for each
// value a bulletin marks as missing, which the forecast leaves out.
bool load_bulletin_file(const std::string& name, station_arrays& arrays, std::string& fault,
                        std::vector<std::string>& warnings);
