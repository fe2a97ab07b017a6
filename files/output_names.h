#pragma once

#include "diagnostics/fault.h"

#include <filesystem>
#include <string>
#include <vector>

// Where the outputs of a run go, and which names it may not write to.

// The output file of a run: the input name with its last three characters replaced by
// "out", whatever they are (week.txt gives week.out), so that it lies beside the input.
// Returns false, with why (kind short_name), when the file name after the last '/' has
// fewer than three characters to replace: a name such as "q/z" would otherwise give an
// output in another folder.
bool output_file_name(const std::string& input_name, std::string& output, fault& why);

// Whether the names a and b are one file, or would be once it is created: so that no two
// outputs of one run, and no output and the input, are the same file, whether or not it
// exists yet. Symbolic links are followed as the writer follows them, the folder of what
// they lead to is resolved (its links, "." and ".." included) and the final names are
// compared; two files that exist are also the same when they have one device and inode
// (hard links). On Windows the names are compared without case, as its file systems do.
bool same_file(const std::string& a, const std::string& b);

// Whether a run that reads input may write outputs (in the order it writes them): none
// may be the input under any name (kind output_is_input), and no two of them the same
// file (kind same_output, naming the later one). Returns false with why at the first
// clash.
bool check_run_outputs(const std::string& input, const std::vector<std::string>& outputs,
                       fault& why);

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
// as an ordinary output stream would do. A link that a process's open file stands behind
// (/proc/PID/fd/N, /dev/fd/N, /dev/stdout's target) is not followed: it leads to whatever
// that process has open, such as the log its standard output is appended to, which is no
// file the user named. Returns false, with why set to the reason, for such a link, a loop
// of links, and when the file there may not be replaced: it is no regular file, the user
// may not write to it, or it has several names (hard links), which no replacement can
// update at once.
bool find_output_target(const std::string& name, output_target& target, std::string& why);
