#pragma once

#include <string>

// Writes one sentence of the menu's dialogue to standard output and ends the line.
void say_on_console(const std::string& sentence);
