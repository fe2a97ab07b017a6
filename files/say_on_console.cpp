#include "files/say_on_console.h"

#include <iostream>

void say_on_console(const std::string& sentence) {
    std::cout << sentence << std::endl;
}
