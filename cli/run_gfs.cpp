#include "chart/gfs_chart.h"
#include "cli/cli_steps.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "export/gfs_export.h"
#include "gfs/gfs_table.h"

#include <sstream>

int run_gfs(const command_line& parsed, const diagnostics& to) {
    const std::string& name = parsed.operands[0];
    std::ifstream input;
    std::vector<std::string> outputs;
    int status = open_run_files(to, parsed, input, outputs, {"chart", "json", "csv"});
    if (status != exit_done) return status;
    const std::string &table_name = outputs[0], &chart_name = outputs[1];
    gfs_model model;
    gfs_table_row table[gfs_row_count];
    fault why;
    if (!load_gfs_table(input, name, model, table, why)) return refuse(to, why);
    input.close();

    std::ostringstream text, svg;
    write_gfs_table(text, table);
    // The chart is drawn before anything is written: a chart it refuses leaves no table.
    if (!chart_name.empty() &&
        !write_gfs_chart(svg, gfs_chart_input{name, model.run_known, model.run_time, table}, why))
        return refuse(to, why);
    status = write_output(to, table_name, text.str());
    if (status == exit_done && !chart_name.empty())
        status = write_output(to, chart_name, svg.str());
    if (status != exit_done) return status;
    const gfs_export_input documents{program_version, name, &model, table};
    return write_documents(to, outputs[2], gfs_json(documents), outputs[3], gfs_csv(documents));
}
