#pragma once

#include <cstddef>
#include <string>

// The longest file name a run takes, in bytes: longer than any path the file systems it
// runs on accept. The dialogue reads one character more, so that a longer name is seen.
inline constexpr std::size_t longest_file_name = 4095;

// Whether name is a file a run can take as its input: a regular file (or a link to one)
// that exists and can be opened for reading. Anything else (a directory, a FIFO, a
// device) is refused without being opened, so that the test never blocks. Returns null
// when it is; otherwise the sentence that refuses it, with why set to the reason in the
// user's words.
const char* check_input_file(const std::string& name, std::string& why);

// Whether output may be written for the input file input: it must not be the input
// itself under any name, whether or not the names exist yet (same_file); the programs ask
// the same of every two outputs of a run. Returns null when it may; otherwise the sentence
// that refuses it, with why set to the reason.
const char* check_output_name(const std::string& input, const std::string& output,
                              std::string& why);
