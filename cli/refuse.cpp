#include "cli/cli_steps.h"

#include "cli/exit_codes.h"
#include "diagnostics/sentences.h"

int refuse(const diagnostics& to, const fault& why) {
    const std::string sentence = refusal_sentence(why);
    if (!sentence.empty()) diagnose(to, sentence);
    diagnose(to, fault_line(why));
    return exit_status_of(why.kind);
}
