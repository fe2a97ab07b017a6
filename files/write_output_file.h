#pragma once

#include <string>

// Replaces the file name with text, completely or not at all: the text goes to a new
// temporary file beside the file, which is renamed over it only when every write
// succeeded. A symbolic link is followed, so that the file it names is replaced and the
// link stays; the replacement keeps the old file's permission bits. A file that the user
// may not write, one that is no regular file, and one with several names (hard links) are
// not replaced, nor is a file reached through a process's open-file link (/dev/stdout).
// Returns false, with why set to the reason, when the file is not written (a write beyond
// the file-size limit gives "File too large"); an earlier file of that name then keeps its
// contents and no temporary file is left, also when SIGTERM, SIGINT or SIGHUP ends the
// program during the write. Temporary files that killed writers left beside the file are
// removed first (remove_stale_temporaries).
bool write_output_file(const std::string& name, const std::string& text, std::string& why);
