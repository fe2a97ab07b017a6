#pragma once

#include "ingest/bulletin_layout.h"
#include "diagnostics/file_note.h"

#include <cstdint>
#include <fstream>
#include <string>

// Reads one bulletin's rows into its block of elements from where the stream stands,
// searching no label at or beyond limit (none when negative), and records where it found
// each row's label in rows. False on any failed read, with fault saying what is wrong in
// the bulletin and where (no position: the bulletin as a whole).
using block_reader = bool (*)(std::istream& in, std::int32_t* block, long long limit,
                              long long* rows, file_note& fault);

// The skeleton both array readers share: opens file_name on in, reads bulletins 1-4 into
// first, 5-8 into second (read_short, short_size elements each) and 9-12 into third
// (read_ext, ext_size each), every bulletin from its own body, and closes the file.
// Returns false at the first block that fails, with fault naming the bulletin.
bool read_bulletin_blocks(std::ifstream& in, const char* file_name, const bulletin_layout& layout,
                          block_reader read_short, int short_size, std::int32_t* first,
                          std::int32_t* second, block_reader read_ext, int ext_size,
                          std::int32_t* third, long long* row_start, file_note& fault);

// Finds the row labelled label, which comes after the row labelled after (none when
// null), searching no label at or beyond limit, and sets row to the label's position.
// False, with fault set, when the bulletin has no such row.
bool find_row(std::istream& in, const char* label, const char* after, long long limit,
              long long& row, file_note& fault);

// Reads count integers of the row labelled label, found at row, into values. False at the
// first that is no 32-bit integer, with fault set by value_fault.
bool read_ints(std::istream& in, std::int32_t* values, int count, const char* label, long long row,
               file_note& fault);

// Skips count column words of the row labelled label (found at row). False, with fault
// set, when the file ends first.
bool skip_row_words(std::istream& in, int count, const char* label, long long row,
                    file_note& fault);

// Sets fault for a read of the row labelled label (found at row) that failed: the word
// where what belongs ("a whole number") stands instead, or the end of the file. Returns
// false.
bool value_fault(std::istream& in, const char* label, long long row, const char* what,
                 file_note& fault);

// The code of a cloud word in a table of count words and their codes. False when the
// word is not in the table.
bool cloud_code(const std::string& word, const char* const* words, const int* codes, int count,
                std::int32_t& code);
