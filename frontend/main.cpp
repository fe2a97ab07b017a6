#include "frontend/menu_loop.h"

// The command line is ignored; the program ends through the menu only.
int main() {
    menu_loop();
    return 0;
}
