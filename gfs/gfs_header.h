#pragma once

#include "diagnostics/fault.h"

#include <iosfwd>

// The words of the one field header the run knows, from "FIELD" to "KNTS".
inline constexpr int gfs_header_word_count = 46;
extern const char* const gfs_header_words[gfs_header_word_count];

// True when the stream, from where it stands, carries word for word after any preamble the
// 46-word field header. Otherwise false, with why (kind incorrect_format, a byte position)
// telling which header word was expected and what was found. Looks at nothing after
// "KNTS". field_at gets the position of its "FIELD". The stream must be opened in binary
// mode.
bool check_gfs_header(std::istream& in, long long& field_at, fault& why);
