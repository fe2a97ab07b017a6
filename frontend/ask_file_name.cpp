#include "frontend/ask_file_name.h"

#include "frontend/output_file_name.h"
#include "ingest/reading.h"

#include <filesystem>
#include <fstream>
#include <iostream>

static bool can_be_read(const std::string& name) {
    std::error_code ec;
    // A directory opens like a file on some systems but has nothing to read.
    if (name.empty() || std::filesystem::is_directory(name, ec)) return false;
    std::ifstream file(name);
    return file.is_open();
}

bool ask_file_name(std::string& name) {
    std::cout << "Please enter the name of the file with the .txt extension: " << std::flush;
    name.clear(); // end of input leaves no name, which cannot be opened
    read_word(std::cin, name);
    if (!can_be_read(name)) {
        std::cout << "You entered a file name wich does not exist in the directory." << std::endl;
        return false;
    }
    if (name.size() < 3) {
        std::cout << "The file name must have at least 3 characters." << std::endl;
        return false;
    }
    std::string output = output_file_name(name);
    std::error_code ec;
    if (output == name || std::filesystem::equivalent(name, output, ec)) {
        std::cout << "The output file would replace the input file." << std::endl;
        return false;
    }
    return true;
}
