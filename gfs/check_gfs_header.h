#pragma once

// True when the named file carries, word for word after any preamble, the 46-word field
// header from "FIELD" to "KNTS". Prints nothing, looks at nothing after "KNTS", and
// returns false for a file that cannot be opened; the file is closed on every path.
bool check_gfs_header(const char* file_name);
