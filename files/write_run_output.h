#pragma once

#include "diagnostics/fault.h"

#include <string>

// Writes text to the output name completely or not at all. Returns false, with why (kind
// not_written, the system's reason), when it was not written; an earlier file of that
// name then keeps its contents.
bool write_run_output(const std::string& name, const std::string& text, fault& why);
