#pragma once

#include "frontend/dialogue.h"

// Shows the menu and carries out choices until the word "6", or until the input has no
// word left, which ends the loop at once.
void menu_loop(dialogue& d);
