#pragma once

#include <string>

// What kind of refusal a fault is: the programs turn each into the dialogue's sentence
// and an exit status. The layers below only say which.
enum class fault_kind {
    missing_file,      // the input cannot be read, or is no regular file
    short_name,        // the input name cannot give an output name
    output_is_input,   // an output would replace the input
    same_output,       // two outputs of one run would be the same file
    invalid_bulletins, // the bulletin file is refused
    incorrect_format,  // the GFS model file is refused
    bad_weight,        // the ETA weight is no usable number
    not_written,       // an output could not be written
    refused_input,     // other input refused (products, GRIB2 files), no sentence of its own
    usage,             // the command line is wrong
};

// Why something failed, for the user: what, and where. Every layer returns this; only the
// programs show it. A reader knows a byte position, not a line: the run that owns the
// stream turns position into line before the fault leaves it.
struct fault {
    fault_kind kind = fault_kind::refused_input;
    std::string what;        // the reason in the user's words, without the place
    std::string file;        // the file it concerns, empty for none
    long long line = 0;      // its line, from 1; 0 for the file as a whole
    long long position = -1; // byte position in file, until line is known; -1 for none
};
