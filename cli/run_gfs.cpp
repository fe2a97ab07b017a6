#include "arith/shared_types.h"
#include "chart/find_gfs_run_time.h"
#include "chart/write_gfs_chart.h"
#include "cli/cli_steps.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/usage.h"
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
    std::string fault;
    if (!load_gfs_file(input, rows, fault))
        return refuse(incorrect_format_sentence, fault, exit_refused);

    double temp_adj[gfs_row_count], temp_plus[gfs_row_count], temp_minus[gfs_row_count];
    convert_gfs_rows(rows, temp_adj, temp_plus, temp_minus);
    std::ostringstream table;
    write_gfs_table(table, rows, temp_adj, temp_plus, temp_minus);
    status = write_output(output, table.str());
    if (status != exit_done || chart.empty()) return status;

    gfs_chart_input chart_input{input, false, {}, rows, temp_plus, temp_minus};
    chart_input.run_known = find_gfs_run_time(input.c_str(), chart_input.run_time);
    std::ostringstream svg;
    write_gfs_chart(svg, chart_input);
    return write_output(chart, svg.str());
}
