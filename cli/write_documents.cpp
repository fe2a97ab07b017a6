#include "cli/cli_steps.h"

#include "cli/exit_codes.h"

int write_documents(const diagnostics& to, const std::string& json_name,
                    const std::string& json_text, const std::string& csv_name,
                    const std::string& csv_text) {
    int status = json_name.empty() ? exit_done : write_output(to, json_name, json_text);
    if (status != exit_done || csv_name.empty()) return status;
    return write_output(to, csv_name, csv_text);
}
