#pragma once

#include "diagnostics/diagnostics.h"
#include "diagnostics/fault.h"

#include <iosfwd>
#include <string>

// The menu program's console: the keys it reads, the dialogue it writes, and where its
// explanations go. Passed to every dialogue, so that tests drive them on string streams.
struct dialogue {
    std::istream& in;
    std::ostream& out;
    diagnostics why;
};

// Writes one sentence of the dialogue and ends the line.
void say(dialogue& d, const std::string& sentence);

// Refuses with the dialogue's sentence for the fault, and explains it on standard error.
void refuse(dialogue& d, const fault& why);

// Writes text to the output name completely or not at all, and tells the outcome: "wrote
// NAME" on standard error, or the sentence that it could not be written and why. Returns
// whether it was written.
bool save_output(dialogue& d, const std::string& name, const std::string& text);
