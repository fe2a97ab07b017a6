#pragma once

#include "diagnostics/file_note.h"

// True when the named file carries, word for word after any preamble, the 46-word field
// header from "FIELD" to "KNTS". Otherwise false, with fault telling which header word was
// expected and what was found, and where; also for a file that cannot be opened. Prints
// nothing, looks at nothing after "KNTS", and closes the file on every path.
bool check_gfs_header(const char* file_name, file_note& fault);
