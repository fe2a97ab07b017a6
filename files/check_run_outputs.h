#pragma once

#include "diagnostics/fault.h"

#include <string>
#include <vector>

// Whether a run that reads input may write outputs (in the order it writes them): none
// may be the input under any name (kind output_is_input), and no two of them the same
// file (kind same_output, naming the later one). Returns false with why at the first
// clash.
bool check_run_outputs(const std::string& input, const std::vector<std::string>& outputs,
                       fault& why);
