#pragma once

#include <string>

// Replaces the file name with text, completely or not at all: the text goes to a new
// temporary file beside it, which is renamed over name only when every write succeeded.
// On failure prints "The output file NAME could not be written." and returns false; an
// earlier file of that name keeps its contents and no temporary file is left.
bool write_output_file(const std::string& name, const std::string& text);
