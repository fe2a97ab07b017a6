#pragma once

#include <string>

// Prompts for the input file of a run and reads its name as one word. Returns true when
// the file can be read, the name has at least three characters and the output file named
// after it is not the input file itself; otherwise prints the refusing sentence in one
// line, explains it on standard error and returns false.
bool ask_file_name(std::string& name);
