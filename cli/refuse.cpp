#include "cli/cli_steps.h"
#include "diagnostics/diagnostics.h"

int refuse(const std::string& sentence, const std::string& why, int status) {
    diagnose(sentence);
    diagnose(why);
    return status;
}
