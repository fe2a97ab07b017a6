#include "files/input_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

// What a file that is not a regular one is, in the user's words.
static const char* kind_of(fs::file_type type) {
    switch (type) {
    case fs::file_type::fifo:
        return "a FIFO";
    case fs::file_type::character:
        return "a character device";
    case fs::file_type::block:
        return "a block device";
    case fs::file_type::socket:
        return "a socket";
    default:
        return "a special file";
    }
}

static bool missing(fault& why, const std::string& file, const std::string& what) {
    why = fault{fault_kind::missing_file, what, file, 0, -1};
    return false;
}

bool open_input_file(const std::string& name, std::ifstream& in, fault& why) {
    if (name.empty()) return missing(why, "", "no file name was given");
    // The system would take the name only up to the NUL, which is another file's name.
    if (name.find('\0') != std::string::npos)
        return missing(why, "", "the name typed holds a NUL byte, which no file name can");
    if (name.size() > longest_file_name)
        return missing(why, "",
                       "the name typed is longer than " + std::to_string(longest_file_name) +
                           " bytes, more than any file name can be");
    // The type comes from the file's status, which opens nothing: opening a FIFO blocks
    // until a writer comes, and a device can be read for ever.
    std::error_code ec;
    const fs::file_status status = fs::status(name, ec);
    if (fs::exists(status) && !fs::is_regular_file(status))
        return missing(why, name,
                       fs::is_directory(status)
                           ? "is a directory"
                           : std::string("is not a regular file (") + kind_of(status.type()) + ")");
    errno = 0;
    in.open(name, std::ios::in | std::ios::binary);
    if (!in.is_open())
        return missing(why, name, errno != 0 ? std::strerror(errno) : "cannot be opened");
    return true;
}
