#include "frontend/dialogue.h"

#include "diagnostics/sentences.h"
#include "files/write_run_output.h"

#include <ostream>

void say(dialogue& d, const std::string& sentence) {
    d.out << sentence << std::endl;
}

void refuse(dialogue& d, const fault& why) {
    say(d, refusal_sentence(why));
    diagnose(d.why, fault_line(why));
}

bool save_output(dialogue& d, const std::string& name, const std::string& text) {
    fault why;
    if (!write_run_output(name, text, why)) {
        refuse(d, why);
        return false;
    }
    diagnose(d.why, "wrote " + name);
    return true;
}
