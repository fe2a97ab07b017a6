#pragma once

#include "diagnostics/fault.h"

#include <string>

// Replaces the file name with text, completely or not at all: the text goes to a new
// temporary file beside the file, vuzazav-PID-N.tmp (PID the writing process's number, N
// a count from 0 to 99), created exclusively, which is renamed over the file only when
// every write succeeded and the text is on the disk. The file is found as
// find_output_target finds it (a symbolic link is followed, so that the file it names is
// replaced and the link stays), and the replacement keeps the old file's permission bits
// and, as far as the user may give them, its owner and group. Returns false, with why set
// to the reason, when the file is not written (a write beyond the file-size limit gives
// "File too large"); an earlier file of that name then keeps its contents and no
// temporary file is left, also when SIGTERM, SIGINT or SIGHUP ends the program during the
// write. Temporary files that killed writers left beside the file are removed first:
// those of a process that is not running, untouched for ten minutes.
bool write_output_file(const std::string& name, const std::string& text, std::string& why);

// The same for a run: returns false, with why (kind not_written, the system's reason),
// when the output name was not written.
bool write_run_output(const std::string& name, const std::string& text, fault& why);
