#pragma once

#include <filesystem>
#include <string>

// The file that writing an output named name replaces, and what of the old one the new
// file keeps.
struct output_target {
    std::filesystem::path path; // name with every symbolic link followed
    bool exists = false;        // whether there is a file to replace
    unsigned mode = 0;          // its permission bits (POSIX)
    long long owner = -1;       // its owner and group (POSIX), -1 when not known
    long long group = -1;
};

// Finds where an output named name goes: a symbolic link is followed to the file it
// names (which need not exist yet), so that the link stays and its file gets the output,
// as an ordinary output stream would do. Returns false, with why set to the reason, when
// the file there may not be replaced: it is no regular file, the user may not write to
// it, it has several names (hard links), which no replacement can update at once, or the
// way to it leads through a process's open-file link (/dev/stdout, /proc/PID/fd/N).
bool find_output_target(const std::string& name, output_target& target, std::string& why);
