#pragma once

#include <string>

// Writes text to name with write_output_file and tells the user the outcome: where the
// output went, on standard error; or the sentence "The output file NAME could not be
// written." through say, and why on standard error. Returns whether the file was written.
bool save_output_file(const std::string& name, const std::string& text,
                      void (*say)(const std::string& sentence));
