#include "frontend/ask_file_name.h"

#include "diagnostics/sentences.h"
#include "files/input_file.h"
#include "files/output_names.h"
#include "reading/reading.h"

#include <ostream>

bool ask_file_name(dialogue& d, std::string& name, std::ifstream& input, std::string& output) {
    d.out << file_name_prompt << std::flush;
    name.clear(); // end of input leaves no name, which cannot be opened
    // One character beyond the longest name is enough to refuse a longer one.
    read_word(d.in, name, longest_file_name + 1);
    fault why;
    if (open_input_file(name, input, why) && output_file_name(name, output, why) &&
        check_run_outputs(name, {output}, why))
        return true;
    refuse(d, why);
    return false;
}
