#pragma once

#include "diagnostics/fault.h"

#include <string>

// The output file of a run: the input name with its last three characters replaced by
// "out", whatever they are (week.txt gives week.out), so that it lies beside the input.
// Returns false, with why (kind short_name), when the file name after the last '/' has
// fewer than three characters to replace: a name such as "q/z" would otherwise give an
// output in another folder.
bool output_file_name(const std::string& input_name, std::string& output, fault& why);
