#pragma once

#include "ingest/bulletin_layout.h"

#include <cstdint>
#include <fstream>
#include <string>

// Reads one bulletin's rows into its block of elements from where the stream stands,
// searching no label at or beyond limit (none when negative). False on any failed read.
using block_reader = bool (*)(std::istream& in, std::int32_t* block, long long limit);

// The skeleton both array readers share: opens file_name on in, reads bulletins 1-4 into
// first, 5-8 into second (read_short, short_size elements each) and 9-12 into third
// (read_ext, ext_size each), every bulletin from its own body, and closes the file.
// Returns false at the first block that fails.
bool read_bulletin_blocks(std::ifstream& in, const char* file_name, const bulletin_layout& layout,
                          block_reader read_short, int short_size, std::int32_t* first,
                          std::int32_t* second, block_reader read_ext, int ext_size,
                          std::int32_t* third);

// Reads count integers into values. False at the first that is no 32-bit integer.
bool read_ints(std::istream& in, std::int32_t* values, int count);

// The code of a cloud word in a table of count words and their codes. False when the
// word is not in the table.
bool cloud_code(const std::string& word, const char* const* words, const int* codes, int count,
                std::int32_t& code);
