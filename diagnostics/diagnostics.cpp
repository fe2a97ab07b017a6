#include "diagnostics/diagnostics.h"

#include <ostream>

void diagnose(const diagnostics& to, const std::string& what) {
    if (to.dialogue) to.dialogue->flush();
    *to.sink << to.program << ": " << what << std::endl;
}

std::string fault_line(const fault& why) {
    if (why.file.empty()) return why.what;
    // These say what the file is: "week.out is the input file itself".
    if (why.kind == fault_kind::output_is_input || why.kind == fault_kind::same_output)
        return why.file + " " + why.what;
    const std::string place = why.line > 0 ? why.file + ":" + std::to_string(why.line) : why.file;
    return place + ": " + why.what;
}
