#pragma once

#include "diagnostics/diagnostics.h"
#include "diagnostics/fault.h"

#include <fstream>
#include <iosfwd>
#include <string>

// The menu program's console: the keys it reads, the dialogue it writes, and where its
// explanations go. Passed to every dialogue, so that tests drive them on string streams.
struct dialogue {
    std::istream& in;
    std::ostream& out;
    diagnostics why;
};

// Writes one sentence of the dialogue and ends the line.
void say(dialogue& d, const std::string& sentence);

// Refuses with the dialogue's sentence for the fault, and explains it on standard error.
void refuse(dialogue& d, const fault& why);

// Writes text to the output name completely or not at all, and tells the outcome: "wrote
// NAME" on standard error, or the sentence that it could not be written and why. Returns
// whether it was written.
bool save_output(dialogue& d, const std::string& name, const std::string& text);

// Prompts for the input file of a run and reads its name as one word. Returns true with
// the file open in input and output the name of the run's output, when the file can be
// read, the name gives an output name and that output is not the input itself; otherwise
// refuses in one sentence, explained on standard error, and returns false.
bool ask_file_name(dialogue& d, std::string& name, std::ifstream& input, std::string& output);

// Reads the menu's next word as read_word does (same consumption and stream state). A word
// of up to 16 characters is stored in choice. A longer word, which is no choice, is never
// held whole: it is written to echo as it is read, and choice is left empty. Returns false,
// with choice unchanged, when there is no word.
bool read_choice(std::istream& in, std::ostream& echo, std::string& choice);
