#include "files/check_input_file.h"

#include "diagnostics/sentences.h"
#include "files/same_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

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

const char* check_input_file(const std::string& name, std::string& why) {
    if (name.empty()) {
        why = "no file name was given";
        return missing_file_sentence;
    }
    // The system would take the name only up to the NUL, which is another file's name.
    if (name.find('\0') != std::string::npos) {
        why = "the name typed holds a NUL byte, which no file name can";
        return missing_file_sentence;
    }
    if (name.size() > longest_file_name) {
        why = "the name typed is longer than " + std::to_string(longest_file_name) +
              " bytes, more than any file name can be";
        return missing_file_sentence;
    }
    // The type comes from the file's status, which opens nothing: opening a FIFO blocks
    // until a writer comes, and a device can be read for ever.
    std::error_code ec;
    const fs::file_status status = fs::status(name, ec);
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        why = fs::is_directory(status)
                  ? name + ": is a directory"
                  : name + ": is not a regular file (" + kind_of(status.type()) + ")";
        return missing_file_sentence;
    }
    errno = 0;
    std::ifstream file(name);
    if (!file.is_open()) {
        why = name + ": " + (errno != 0 ? std::strerror(errno) : "cannot be opened");
        return missing_file_sentence;
    }
    return nullptr;
}

const char* check_output_name(const std::string& input, const std::string& output,
                              std::string& why) {
    if (same_file(input, output)) {
        why = output + " is the input file itself";
        return output_is_input_sentence;
    }
    return nullptr;
}
