#pragma once

#include <iosfwd>
#include <string>

// The word as a diagnostic quotes it: in double quotes, cut after 40 characters with
// "..." so that a huge word cannot make a huge line.
std::string quote_word(const std::string& word);

// The word of the seekable stream in that stands at position, or that ends right before
// it (where a failed read of a number stopped), quoted as quote_word does; empty when
// there is none. begun, when given, tells whether the word begins before position. Clears
// the stream's state and leaves its position undefined.
std::string quoted_word_at(std::istream& in, long long position, bool* begun = nullptr);
