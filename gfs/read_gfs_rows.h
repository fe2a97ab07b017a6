#pragma once

#include "diagnostics/fault.h"
#include "gfs/gfs_rows.h"

#include <iosfwd>

// Fills the gfs_row_count rows from the stream (opened in binary mode): the data start
// after its first word "FHR", and each row is a mark, the hour, a mark and eleven numbers.
// row_at[i] gets the byte position where row i starts. Returns false when there is no
// "FHR", fewer rows, an hour that is no integer or a value that is no number, with why
// (kind incorrect_format, a byte position) saying which row and value; the rows are then
// not all filled.
bool read_gfs_rows(std::istream& in, gfs_row* rows, long long* row_at, fault& why);
