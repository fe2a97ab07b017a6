#include "frontend/dialogue.h"

#include <ostream>

void say(dialogue& d, const std::string& sentence) {
    d.out << sentence << std::endl;
}
