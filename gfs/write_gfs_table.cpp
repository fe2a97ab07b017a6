#include "gfs/write_gfs_table.h"

#include "gfs/table_columns.h"

#include <iomanip>
#include <ostream>

void write_gfs_table(std::ostream& out, const gfs_table_row* rows) {
    out.unsetf(std::ios::floatfield);
    out.precision(6);
    out << std::left;
    for (const gfs_column& c : gfs_columns) out << std::setw(c.width) << c.title;
    out << '\n';
    for (int i = 0; i < gfs_row_count; ++i) {
        double values[gfs_value_columns];
        gfs_table_values(rows[i], values);
        out << std::left << std::setw(gfs_columns[0].width) << rows[i].hour;
        for (int c = 0; c < gfs_value_columns; ++c)
            out << std::setw(gfs_columns[c + 1].width) << values[c];
        out << '\n';
    }
}
