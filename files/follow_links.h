#pragma once

#include <filesystem>
#include <string>

// Follows symbolic links from name to the path they end at, as opening name would; a link
// to a missing file ends at the missing file's path. A link that a process's open file
// stands behind (/proc/PID/fd/N, /dev/fd/N, /dev/stdout's target) is not followed: it
// leads to whatever that process has open, such as the log its standard output is
// appended to, which is no file the user named. Returns false, with why set to the
// reason, for such a link, a loop, or a link that cannot be read.
bool follow_links(const std::string& name, std::filesystem::path& path, std::string& why);
