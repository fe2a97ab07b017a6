#pragma once

#include "diagnostics/fault.h"

#include <iosfwd>
#include <vector>

// Gives each fault that has a byte position its line in the seekable stream in (from 1),
// counting line ends a block at a time in one pass in position order. Clears the
// stream's state and leaves its position undefined.
void place_lines(std::istream& in, std::vector<fault>& faults);

// The same for one fault.
void place_line(std::istream& in, fault& one);
