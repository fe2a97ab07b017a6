#include "files/write_run_output.h"

#include "files/write_output_file.h"

bool write_run_output(const std::string& name, const std::string& text, fault& why) {
    std::string reason;
    if (write_output_file(name, text, reason)) return true;
    why = fault{fault_kind::not_written, reason, name, 0, -1};
    return false;
}
