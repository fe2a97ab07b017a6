#pragma once

#include "calendar/utc_time.h"

// Reads the model run from the preamble of a GFS model file, the text before its first
// "FIELD": the words "MODEL RUN:  00 UTC MON 04 MAR 2024". Returns false, with
// time unchanged, when the file cannot be opened or no such line, complete and with a real
// date, comes first.
bool find_gfs_run_time(const char* file_name, utc_time& time);
