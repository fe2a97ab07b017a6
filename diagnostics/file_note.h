#pragma once

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

// The notes as diagnostic lines, "NAME:LINE: WHAT" (or "NAME: WHAT" without a position),
// in their order; the lines of all positions are counted in one pass over the file.
std::vector<std::string> note_lines(const std::string& name, const std::vector<file_note>& notes);
