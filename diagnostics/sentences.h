#pragma once

// The fixed sentences with which a run refuses its input or output, the same in every
// program that drives the runs.
inline constexpr const char* missing_file_sentence =
    "You entered a file name wich does not exist in the directory.";
inline constexpr const char* short_name_sentence = "The file name must have at least 3 characters.";
inline constexpr const char* output_is_input_sentence =
    "The output file would replace the input file.";
