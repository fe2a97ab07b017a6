#include "frontend/menu.h"

#include <csignal>
#include <cstdio>
#include <iostream>

// The command line is ignored; the program ends through the menu only.
int main() {
#ifdef SIGXFSZ
    // Past the file-size limit a write fails with "File too large" instead of ending the
    // program, so that the failure is reported and nothing is left half-done.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    dialogue d{std::cin, std::cout, diagnostics{&std::cerr, &std::cout, "vuzazav"}};
    menu_loop(d);
    // A dialogue that did not reach its reader (a full disk behind standard output) must
    // not pass for one that did.
    std::cout.flush();
    return std::cout.fail() || std::fflush(stdout) != 0 || std::ferror(stdout) ? 1 : 0;
}
