#include "diagnostics/diagnostics.h"

#include <ostream>

void diagnose(const diagnostics& to, const std::string& what) {
    if (to.dialogue) to.dialogue->flush();
    *to.sink << to.program << ": " << what << std::endl;
}
