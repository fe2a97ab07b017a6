#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Something to tell the user about a file: what, and the byte position of the word it
// concerns (negative when it concerns no one word). Engines return these as data; the
// line of a position is found only when the note is shown, since counting lines costs a
// pass over the file.
struct file_note {
    long long position = -1;
    std::string what;
};

// The word as a diagnostic quotes it: in double quotes, cut after 40 characters with
// "..." so that a huge word cannot make a huge line.
std::string quote_word(const std::string& word);

// The word of the seekable stream in that stands at position, or that ends right before
// it (where a failed read of a number stopped), quoted as quote_word does; empty when
// there is none. begun, when given, tells whether the word begins before position. Clears
// the stream's state and leaves its position undefined.
std::string quoted_word_at(std::istream& in, long long position, bool* begun = nullptr);

// The notes as diagnostic lines, "NAME:LINE: WHAT" (or "NAME: WHAT" without a position),
// in their order; the lines of all positions are counted in one pass over the file.
std::vector<std::string> note_lines(const std::string& name, const std::vector<file_note>& notes);
