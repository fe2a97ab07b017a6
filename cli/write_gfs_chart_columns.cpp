#include "chart/write_gfs_chart.h"
#include "cli/gfs_chart_columns.h"

bool write_gfs_chart_columns(std::ostream& out, const std::string& file_name, bool run_known,
                             const utc_time& run_time, const double (*columns)[gfs_table_columns],
                             fault& why) {
    gfs_table_row rows[gfs_row_count];
    for (int i = 0; i < gfs_row_count; ++i) {
        const double* c = columns[i];
        rows[i] = gfs_table_row{static_cast<std::int32_t>(c[0]),
                                c[1],
                                c[2],
                                c[3],
                                c[4],
                                c[5],
                                c[6],
                                c[7],
                                c[8],
                                c[9],
                                c[10],
                                c[11],
                                c[12],
                                c[13],
                                c[14]};
    }
    return write_gfs_chart(out, gfs_chart_input{file_name, run_known, run_time, rows}, why);
}
