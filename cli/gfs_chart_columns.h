#pragma once

#include "calendar/utc_time.h"
#include "diagnostics/fault.h"

#include <iosfwd>
#include <string>

// The GFS chart of a run's table, given as 48 rows of its fifteen columns in the table's
// order (the hour first). Its own file for now: the file's rows and the table's rows each
// define gfs_row_count, so no one file can hold both until gfs/ owns the two row types.
inline constexpr int gfs_table_columns = 15;
bool write_gfs_chart_columns(std::ostream& out, const std::string& file_name, bool run_known,
                             const utc_time& run_time, const double (*columns)[gfs_table_columns],
                             fault& why);
