#pragma once

#include "frontend/dialogue.h"

// The menu program's menu and the two runs it offers. Each writes nothing but the
// dialogue on d.out and explains itself on d.why; a run that refuses says so in one
// sentence and returns to the menu.

// Shows the menu and carries out choices until the word "6", or until the input has no
// word left, which ends the loop at once. Each choice is echoed, the screen cleared, the
// choice carried out and a key waited for (console.h); a word that is no choice gets
// "Illegal option was entered, try again.", and options 2, 3 and 5 answer that they are
// not functional.
void menu_loop(dialogue& d);

// Menu option 4: asks for a bulletin file and an ETA weight, prints the day table and
// writes the report file beside the input. Any weight that is a number is taken; one
// outside 0 to 1 is named on standard error, since the blend then extrapolates.
void run_1200_model(dialogue& d);

// Menu option 1: asks for a GFS model file and writes its fifteen-column table file
// beside the input.
void run_gfs_model(dialogue& d);
