#pragma once

#include <string>

// Whether the names a and b are, or once created would be, the same file.
bool same_file(const std::string& a, const std::string& b);
