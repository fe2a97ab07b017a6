#include "plumbing/check_input_file.h"

#include "plumbing/refusals.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

const char* check_input_file(const std::string& name, std::string& why) {
    if (name.empty()) {
        why = "no file name was given";
        return missing_file_sentence;
    }
    std::error_code ec;
    // A directory opens like a file on some systems but has nothing to read.
    if (std::filesystem::is_directory(name, ec)) {
        why = name + ": is a directory";
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
    std::error_code ec;
    if (output == input || std::filesystem::equivalent(input, output, ec)) {
        why = output + " is the input file itself";
        return output_is_input_sentence;
    }
    return nullptr;
}
