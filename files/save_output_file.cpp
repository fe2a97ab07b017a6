#include "files/save_output_file.h"

#include "diagnostics/diagnostics.h"
#include "files/write_output_file.h"

bool save_output_file(const std::string& name, const std::string& text,
                      void (*say)(const std::string& sentence)) {
    std::string why;
    if (write_output_file(name, text, why)) {
        diagnose("wrote " + name);
        return true;
    }
    say("The output file " + name + " could not be written.");
    diagnose(name + ": " + why);
    return false;
}
