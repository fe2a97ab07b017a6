#include "diagnostics/diagnostics.h"

#include <iostream>

static const char* program = "vuzazav";

void set_diagnostic_program(const char* name) {
    program = name;
}

void diagnose(const std::string& what) {
    // The dialogue goes first, so that a diagnostic follows the sentence it explains.
    std::cout.flush();
    std::cerr << program << ": " << what << std::endl;
}

std::string file_place(const std::string& name, long long line) {
    return line > 0 ? name + ":" + std::to_string(line) : name;
}
