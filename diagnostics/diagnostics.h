#pragma once

#include "diagnostics/fault.h"

#include <iosfwd>
#include <string>

// Explanations for the user beside the dialogue: why a file was refused, what was left
// out, where an output went. Each is one line, "PROGRAM: WHAT", on the sink (standard
// error), so that the dialogue stays what scripts compare.
struct diagnostics {
    std::ostream* sink;
    std::ostream* dialogue; // flushed first, so that a line follows what it explains; or null
    std::string program;
};

// Writes "PROGRAM: WHAT" and a line end.
void diagnose(const diagnostics& to, const std::string& what);

// A fault as a diagnostic says it: "NAME:LINE: WHAT", "NAME: WHAT" without a line, or
// "WHAT" without a file.
std::string fault_line(const fault& why);
