#include "files/output_file_name.h"

bool output_file_name(const std::string& input_name, std::string& output, fault& why) {
#ifdef _WIN32
    const char* separators = "/\\";
#else
    const char* separators = "/";
#endif
    const std::string::size_type slash = input_name.find_last_of(separators);
    const std::string::size_type base = slash == std::string::npos ? 0 : slash + 1;
    if (input_name.size() - base < 3) {
        why = fault{fault_kind::short_name, "the output name replaces the last three characters",
                    input_name, 0, -1};
        return false;
    }
    output = input_name;
    output.replace(output.size() - 3, 3, "out");
    return true;
}
