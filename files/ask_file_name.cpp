#include "files/ask_file_name.h"

#include "files/check_input_file.h"
#include "diagnostics/diagnostics.h"
#include "files/output_file_name.h"
#include "reading/reading.h"
#include "diagnostics/sentences.h"
#include "files/say_on_console.h"

#include <iostream>

static bool refuse(const char* sentence, const std::string& why) {
    say_on_console(sentence);
    diagnose(why);
    return false;
}

bool ask_file_name(std::string& name) {
    std::cout << "Please enter the name of the file with the .txt extension: " << std::flush;
    name.clear(); // end of input leaves no name, which cannot be opened
    // One character beyond the longest name is enough to refuse a longer one.
    read_word(std::cin, name, longest_file_name + 1);
    std::string why;
    if (const char* sentence = check_input_file(name, why)) return refuse(sentence, why);
    if (name.size() < 3)
        return refuse(short_name_sentence,
                      name + ": the output name replaces the last three characters");
    if (const char* sentence = check_output_name(name, output_file_name(name), why))
        return refuse(sentence, why);
    return true;
}
