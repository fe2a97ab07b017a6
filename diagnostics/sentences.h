#pragma once

#include "diagnostics/fault.h"

#include <string>

// Every fixed sentence of the dialogue, as the menu program writes it and vuzazav-cli
// repeats it on standard error. "wich" and "functioanl" are misspelt on purpose: scripts
// and users compare these sentences byte for byte, so they are kept as they always were.

inline constexpr const char* file_name_prompt =
    "Please enter the name of the file with the .txt extension: ";
inline constexpr const char* eta_weight_prompt =
    "Please enter in a decimal ratio you would like for the ETA model weight: ";
inline constexpr const char* avn_ratio_sentence = "The AVNratio value then has to be: ";
inline constexpr const char* valid_file_sentence = "You have a valid file.";
inline constexpr const char* illegal_option_sentence = "Illegal option was entered, try again.";
inline constexpr const char* pause_prompt = "Press any key to continue . . . ";

inline constexpr const char* missing_file_sentence =
    "You entered a file name wich does not exist in the directory.";
inline constexpr const char* short_name_sentence = "The file name must have at least 3 characters.";
inline constexpr const char* output_is_input_sentence =
    "The output file would replace the input file.";
inline constexpr const char* invalid_file_sentence = "Your file is invalid.";
inline constexpr const char* incorrect_format_sentence = "Your file is in the incorrect format.";
inline constexpr const char* bad_weight_sentence = "The ETA model weight must be a number.";

// The weight of the first short-range guidance (ETA, NAM or NBM) against AVN/GFS MOS: a
// blend, not an extrapolation, only from 0 to 1.
inline constexpr double lowest_eta_weight = 0.0;
inline constexpr double highest_eta_weight = 1.0;
inline constexpr const char* weight_range_note =
    "outside 0 to 1, so the blend extrapolates beyond both guidances";

// "The output file NAME could not be written."
std::string not_written_sentence(const std::string& name);

// The sentence with which the dialogue refuses what why is about; empty for the kinds
// that have none (refused products, usage).
std::string refusal_sentence(const fault& why);

// The menu: its first line, then a line per choice; and what the runs that are not
// functional answer.
inline constexpr const char* menu_title = "Please enter an option!";
inline constexpr const char* menu_gfs_line = "1) Run GFS Model";
inline constexpr const char* menu_0000_line = "2) Run 0000 Model";
inline constexpr const char* menu_0600_line = "3) Run 0600 Model";
inline constexpr const char* menu_1200_line = "4) Run 1200 Model";
inline constexpr const char* menu_1800_line = "5) Run 1800 Model";
inline constexpr const char* menu_quit_line = "6) Quit";
inline constexpr const char* option_2_sentence = "Option 2 not functional";
inline constexpr const char* option_3_sentence = "Option 3 not functional";
inline constexpr const char* option_5_sentence = "Option 5 not functioanl";
