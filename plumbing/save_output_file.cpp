#include "plumbing/save_output_file.h"

#include "plumbing/diagnostics.h"
#include "plumbing/write_output_file.h"

#include <iostream>

bool save_output_file(const std::string& name, const std::string& text) {
    std::string why;
    if (write_output_file(name, text, why)) {
        diagnose("wrote " + name);
        return true;
    }
    std::cout << "The output file " << name << " could not be written." << std::endl;
    diagnose(name + ": " + why);
    return false;
}
