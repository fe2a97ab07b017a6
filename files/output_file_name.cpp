#include "files/output_file_name.h"

std::string output_file_name(const std::string& input_name) {
    std::string name = input_name;
    name.replace(name.size() - 3, 3, "out");
    return name;
}
