#pragma once

#include <string>

// Whether name is a file a run can take as its input: one that exists and can be opened
// for reading. Returns null when it is; otherwise the sentence that refuses it, with why
// set to the reason in the user's words.
const char* check_input_file(const std::string& name, std::string& why);

// Whether output may be written for the input file input: it must not be the input
// itself under any name. Returns null when it may; otherwise the sentence that refuses it,
// with why set to the reason.
const char* check_output_name(const std::string& input, const std::string& output,
                              std::string& why);
