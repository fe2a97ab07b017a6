#pragma once

#include "ingest/bulletin_layout.h"
#include "diagnostics/file_note.h"

// True when the file holds the twelve bulletin headers in the required station, model and
// cycle order with one date; layout then tells where they stand. Otherwise false, with
// fault telling which bulletin was expected and what was found, and where. Prints nothing,
// reads forward only (but for finding the place of a fault), and closes the file on every
// path.
bool validate_bulletin_file(const char* file_name, bulletin_layout& layout, file_note& fault);
