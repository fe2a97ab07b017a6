#pragma once

#include <iosfwd>

// The only place that knows the platform's console.

// Clears the console window. Writes nothing when standard output is not a terminal.
void clear_screen(std::ostream& out);

// Prompts "Press any key to continue . . . " on out and waits for one key press when standard
// input is a terminal; otherwise it takes nothing and does not wait. Then ends the line.
// Input that the standard input stream holds already stays there, in its order.
void pause_for_key(std::ostream& out);
