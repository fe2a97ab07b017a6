#pragma once

#include "diagnostics/fault.h"
#include "ingest/bulletin_layout.h"

#include <iosfwd>

// True when the stream, from its start, holds the twelve bulletin headers in the required
// station, model and cycle order with one date; layout then tells where they stand and
// what they say. Otherwise false, with why (kind invalid_bulletins, a byte position, no
// file name) telling which bulletin was expected and what was found. Reads forward only,
// but for finding the place of a fault. The stream must be opened in binary mode, so
// that positions count bytes.
bool validate_bulletin_file(std::istream& in, bulletin_layout& layout, fault& why);
