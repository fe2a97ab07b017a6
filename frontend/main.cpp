#include "frontend/menu_loop.h"

#include <cstdio>
#include <iostream>

// The command line is ignored; the program ends through the menu only.
int main() {
    dialogue d{std::cin, std::cout, diagnostics{&std::cerr, &std::cout, "vuzazav"}};
    menu_loop(d);
    // A dialogue that did not reach its reader (a full disk behind standard output) must
    // not pass for one that did.
    std::cout.flush();
    return std::cout.fail() || std::fflush(stdout) != 0 || std::ferror(stdout) ? 1 : 0;
}
