#include "frontend/dialogue.h"

#include "diagnostics/sentences.h"

void refuse(dialogue& d, const fault& why) {
    say(d, refusal_sentence(why));
    diagnose(d.why, fault_line(why));
}
