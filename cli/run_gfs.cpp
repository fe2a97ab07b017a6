#include "arith/shared_types.h"
#include "chart/find_gfs_run_time.h"
#include "cli/cli_steps.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/gfs_chart_columns.h"
#include "cli/usage.h"
#include "diagnostics/diagnostics.h"
#include "gfs/convert_gfs_rows.h"
#include "gfs/load_gfs_file.h"
#include "gfs/write_gfs_table.h"

#include <sstream>

static const option_spec gfs_options[] = {
    {'o', "output", true},
    {0, "chart", true},
};

int run_gfs(const std::vector<std::string>& args) {
    command_line parsed;
    int status = exit_done;
    if (!take_command_line(args, gfs_options, 2, gfs_usage, false, parsed, status)) return status;
    const std::string& input = parsed.operands[0];
    std::string output;
    std::string chart;
    status = check_run_files(input, parsed, output, chart);
    if (status != exit_done) return status;
    gfs_row rows[gfs_row_count];
    std::string fault_text;
    if (!load_gfs_file(input, rows, fault_text))
        return refuse(incorrect_format_sentence, fault_text, exit_refused);

    double temp_adj[gfs_row_count], temp_plus[gfs_row_count], temp_minus[gfs_row_count];
    convert_gfs_rows(rows, temp_adj, temp_plus, temp_minus);
    // The chart is drawn before anything is written, so that a chart refused leaves no table.
    std::ostringstream svg;
    if (!chart.empty()) {
        double columns[gfs_row_count][gfs_table_columns];
        for (int i = 0; i < gfs_row_count; ++i) {
            const gfs_row& r = rows[i];
            const double row[gfs_table_columns] = {static_cast<double>(r.hour),
                                                   r.mslp,
                                                   r.t2m,
                                                   r.t850,
                                                   r.t700,
                                                   r.t500,
                                                   r.thickness,
                                                   r.rh,
                                                   r.precip,
                                                   r.cloud,
                                                   r.wind_dir,
                                                   r.wind_speed,
                                                   temp_adj[i],
                                                   temp_plus[i],
                                                   temp_minus[i]};
            for (int k = 0; k < gfs_table_columns; ++k) columns[i][k] = row[k];
        }
        utc_time run_time{};
        bool run_known = find_gfs_run_time(input.c_str(), run_time);
        fault why;
        if (!write_gfs_chart_columns(svg, input, run_known, run_time, columns, why))
            return refuse(incorrect_format_sentence,
                          file_place(why.file, why.line) + ": " + why.what, exit_refused);
    }
    std::ostringstream table;
    write_gfs_table(table, rows, temp_adj, temp_plus, temp_minus);
    status = write_output(output, table.str());
    if (status != exit_done || chart.empty()) return status;
    return write_output(chart, svg.str());
}
