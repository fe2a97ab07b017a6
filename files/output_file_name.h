#pragma once

#include <string>

// The output file of a run: the input name with its last three characters replaced by
// "out", whatever they are (week.txt gives week.out). The name has at least three.
std::string output_file_name(const std::string& input_name);
