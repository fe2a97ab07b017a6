#pragma once

#include <string>

// Whether the names a and b are one file, or would be once it is created: so that no two
// outputs of one run, and no output and the input, are the same file, whether or not it
// exists yet. Symbolic links are followed as the writer follows them, the folder of what
// they lead to is resolved (its links, "." and ".." included) and the final names are
// compared; two files that exist are also the same when they have one device and inode
// (hard links). On Windows the names are compared without case, as its file systems do.
bool same_file(const std::string& a, const std::string& b);
