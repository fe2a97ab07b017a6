#pragma once

#include "calendar/utc_time.h"

#include <iosfwd>

// Reads the model run from the preamble of a GFS model file, the text of the stream before
// position end: the words "MODEL RUN:  00 UTC MON 04 MAR 2024". Returns false, with time
// unchanged, when no such line, complete and with a real date, comes first.
bool find_model_run(std::istream& in, long long end, utc_time& time);
