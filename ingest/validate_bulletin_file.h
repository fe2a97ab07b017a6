#pragma once

#include "ingest/bulletin_layout.h"

// True when the file holds the twelve bulletin headers in the required station, model and
// cycle order with one date; layout then tells where they stand. Prints nothing, reads
// forward only, and closes the file on every path.
bool validate_bulletin_file(const char* file_name, bulletin_layout& layout);
