#pragma once

#include "calendar/utc_time.h"

// Reads the date and cycle of the first bulletin of a bulletin file, whose header is the
// file's first six words ("3/04/2010  1200 UTC" gives 4 March 2010, hour 12). Returns
// false, with issued unchanged, when the file cannot be read there or the date or cycle
// is no real one.
bool read_bulletin_date(const char* file_name, utc_time& issued);
