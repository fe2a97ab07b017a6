#pragma once

#include <string>

// Replaces the file name with text, completely or not at all: the text goes to a new
// temporary file beside it, which is renamed over name only when every write succeeded.
// Returns false, with why set to the system's reason, when that fails; an earlier file of
// that name then keeps its contents and no temporary file is left.
bool write_output_file(const std::string& name, const std::string& text, std::string& why);
