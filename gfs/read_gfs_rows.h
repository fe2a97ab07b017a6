#pragma once

#include "arith/shared_types.h"
#include "diagnostics/file_note.h"

// Fills the gfs_row_count rows from the named file: the data start after its first word
// "FHR", and each row is a mark, the hour, a mark and eleven numbers. Returns false,
// having closed the file, when there is no "FHR", fewer rows, an hour that is no integer
// or a value that is no number, with fault saying which row and value and where; the rows
// are then not all filled.
bool read_gfs_rows(gfs_row* rows, const char* file_name, file_note& fault);
