#pragma once

#include "diagnostics/fault.h"

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

// What a message shows of a place in an input: the line of a byte position, and the word
// that stands there.

// Gives each fault that has a byte position its line in the seekable stream in (from 1),
// counting line ends a block at a time in one pass in position order. Clears the
// stream's state and leaves its position undefined.
void place_lines(std::istream& in, std::vector<fault>& faults);

// The same for one fault.
void place_line(std::istream& in, fault& one);

// The word as a diagnostic quotes it: in double quotes, a word of more than 40 characters
// cut after 40 with "..." and its length named ("xxx..." (60 bytes)), so that a huge word
// cannot make a huge line. size is the whole word's length where word holds only its start
// (0: word is whole); a word that a read kept at kept_word_length characters is named as
// that many or more. diagnose shows its control characters escaped.
std::string quote_word(const std::string& word, std::size_t size = 0);

// The word of the seekable stream in that stands at position, or that ends right before
// it (where a failed read of a number stopped), quoted as quote_word does from its first
// character; empty when there is none. begun, when given, tells whether the word begins
// before position. Clears the stream's state and leaves its position undefined.
std::string quoted_word_at(std::istream& in, long long position, bool* begun = nullptr);
