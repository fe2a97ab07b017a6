#pragma once

#include <iosfwd>
#include <string>

// Reads the menu's next word as read_word does (same consumption and stream state). A word
// of up to 16 characters is stored in choice. A longer word, which is no choice, is never
// held whole: it is written to echo as it is read, and choice is left empty. Returns false,
// with choice unchanged, when there is no word.
bool read_choice(std::istream& in, std::ostream& echo, std::string& choice);
