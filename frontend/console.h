#pragma once

#include <iosfwd>

// The only place that knows the platform's console: on Windows the command interpreter's
// CLS and PAUSE, elsewhere the terminal's escape sequences and modes.

// Clears the console window. Writes nothing when standard output is not a terminal.
void clear_screen(std::ostream& out);

// Prompts "Press any key to continue . . . " on out and waits for one key press when standard
// input is a terminal; otherwise it takes nothing and does not wait. Then ends the line.
// Input that the standard input stream holds already stays there, in its order. A key that
// sends several bytes (an arrow key, a UTF-8 character) is one key. While it waits the
// terminal reads keys unechoed: a signal that ends the program gives the terminal its
// settings back first, and Ctrl-Z gives them back until the program is continued.
void pause_for_key(std::ostream& out);
