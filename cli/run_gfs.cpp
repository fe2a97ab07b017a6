#include "arith/shared_types.h"
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
};

int run_gfs(const std::vector<std::string>& args) {
    command_line parsed;
    int status = exit_done;
    if (!take_command_line(args, gfs_options, 1, gfs_usage, false, parsed, status)) return status;
    const std::string& input = parsed.operands[0];
    std::string output;
    status = check_run_files(input, parsed, output);
    if (status != exit_done) return status;
    gfs_row rows[gfs_row_count];
    std::string fault;
    if (!load_gfs_file(input, rows, fault))
        return refuse(incorrect_format_sentence, fault, exit_refused);

    double temp_adj[gfs_row_count], temp_plus[gfs_row_count], temp_minus[gfs_row_count];
    convert_gfs_rows(rows, temp_adj, temp_plus, temp_minus);
    std::ostringstream table;
    write_gfs_table(table, rows, temp_adj, temp_plus, temp_minus);
    return write_output(output, table.str());
}
