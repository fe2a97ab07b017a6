#include "diagnostics/sentences.h"

std::string not_written_sentence(const std::string& name) {
    return "The output file " + name + " could not be written.";
}
