#pragma once

#include "frontend/dialogue.h"

#include <fstream>
#include <string>

// Prompts for the input file of a run and reads its name as one word. Returns true with
// the file open in input and output the name of the run's output, when the file can be
// read, the name gives an output name and that output is not the input itself; otherwise
// refuses in one sentence, explained on standard error, and returns false.
bool ask_file_name(dialogue& d, std::string& name, std::ifstream& input, std::string& output);
