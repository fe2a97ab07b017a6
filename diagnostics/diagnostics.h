#pragma once

#include "diagnostics/fault.h"

#include <cstddef>
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

// Writes "PROGRAM: WHAT" and a line end, WHAT as printable shows it: file names and words
// from the inputs reach it, and none may split the line or command the terminal.
void diagnose(const diagnostics& to, const std::string& what);

// A fault as a diagnostic says it: "NAME:LINE: WHAT", "NAME: WHAT" without a line, or
// "WHAT" without a file.
std::string fault_line(const fault& why);

// text with each control character (a line end, an escape, C1 controls included), DEL and
// each byte that is no part of valid UTF-8 written as \xNN; everything else, printable
// ASCII and valid UTF-8 such as "°F", as it is.
std::string printable(const std::string& text);

// The bytes of the valid UTF-8 character that starts at text[at], 1 to 4; 0 where none
// does (a stray continuation byte, an overlong form, a surrogate, a cut sequence).
std::size_t utf8_length_at(const std::string& text, std::size_t at);
