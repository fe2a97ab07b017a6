#include "frontend/dialogue.h"

#include "files/output_writer.h"

bool save_output(dialogue& d, const std::string& name, const std::string& text) {
    fault why;
    if (!write_run_output(name, text, why)) {
        refuse(d, why);
        return false;
    }
    diagnose(d.why, "wrote " + name);
    return true;
}
