#pragma once

#include "gfs/gfs_rows.h"

#include <iosfwd>

// Writes the table of the gfs_row_count rows to out: a header line, then one line per row
// of fifteen left-justified columns, the hour as an integer and every other value in
// general notation with six significant digits. Leaves out left-adjusted.
void write_gfs_table(std::ostream& out, const gfs_table_row* rows);
