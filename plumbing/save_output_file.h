#pragma once

#include <string>

// The dialogue around writing a run's output: writes text to name with
// write_output_file, says on standard error where it went, or prints "The output file
// NAME could not be written." and explains why. Returns whether the file was written.
bool save_output_file(const std::string& name, const std::string& text);
