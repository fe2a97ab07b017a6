#pragma once

#include <string>

// Explanations for the user beside the dialogue: why a file was refused, what was left
// out, where an output went. Each is one line on standard error, "PROGRAM: WHAT", so that
// standard output stays the dialogue that scripts compare.

// Names the program that starts every line; "vuzazav" until a program sets its own.
void set_diagnostic_program(const char* name);

// Writes "PROGRAM: WHAT" and a line end.
void diagnose(const std::string& what);

// The place of a diagnostic in a file, "NAME:LINE", or "NAME" when line is not positive.
std::string file_place(const std::string& name, long long line);
