#pragma once

#include "chart/utc_time.h"
#include "ingest/bulletin_layout.h"

// Reads the date and cycle of the first bulletin header of a file that the validator has
// laid out ("3/04/2010  1200 UTC" gives 4 March 2010, hour 12). Returns false, with issued
// unchanged, when the file cannot be read there or the date is no real M/D/YYYY.
bool read_bulletin_date(const char* file_name, const bulletin_layout& layout, utc_time& issued);
