#pragma once

#include "diagnostics/fault.h"

#include <cstddef>
#include <fstream>
#include <string>

// The longest file name a run takes, in bytes: longer than any path the file systems it
// runs on accept. The dialogue reads one character more, so that a longer name is seen.
inline constexpr std::size_t longest_file_name = 4095;

// Opens name for a run to read, in binary mode so that positions count bytes: a regular
// file (or a link to one) that exists and can be read. Anything else (a directory, a FIFO,
// a device) is refused without being opened, so that the test never blocks. Returns
// false, with why (kind missing_file) giving the reason in the user's words, when in is
// not open.
bool open_input_file(const std::string& name, std::ifstream& in, fault& why);
