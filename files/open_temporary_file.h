#pragma once

#include "files/find_output_target.h"

#include <cstdio>
#include <filesystem>
#include <string>

// A temporary file is named vuzazav-PID-N.tmp: PID the writing process's number, N a count
// from 0 to 99. The names tell a dead process's leftovers (remove_stale_temporaries).
inline constexpr char temporary_file_prefix[] = "vuzazav-";
inline constexpr char temporary_file_suffix[] = ".tmp";

// Creates a new file beside target.path, under a short name of its own (so that any name
// the file system accepts for the target leaves room for it), exclusively: a file that
// exists already, whoever made it, is never opened. The file is in the platform's text
// mode and, when target exists, has its permission bits and, as far as the user may give
// them, its owner and group. Returns the open file with temp set to its path, or null with
// why set to the system's reason.
std::FILE* open_temporary_file(const output_target& target, std::filesystem::path& temp,
                               std::string& why);
