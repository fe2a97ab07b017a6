#include "cli/run_gfs.h"

#include "chart/gfs_chart.h"
#include "cli/run_files.h"
#include "export/gfs_export.h"
#include "gfs/gfs_table.h"

#include <iterator>
#include <sstream>

static const char* const usage =
    "Usage: vuzazav-cli gfs MODEL [-o TABLE] [--chart FILE.svg] [--json FILE.json]\n"
    "       [--csv FILE.csv]\n"
    "The GFS run on a GFS model file: writes the fifteen-column table, named after MODEL with\n"
    "\"out\" in place of its last three characters unless -o names it.\n"
    "\n"
    "Options:\n"
    "  -o TABLE       the table file to write\n"
    "  --chart FILE   also write the run's meteogram, an SVG picture, to FILE\n"
    "  --json FILE    also write the table with valid times and the point, a JSON document\n"
    "  --csv FILE     also write the table as CSV, one line a row, to FILE\n"
    "  -h, --help     show this help and exit\n"
    "\n"
    "Exit status: 0 written, 1 the model file was refused, 2 usage error, 3 an output could\n"
    "not be written.\n";

static const cli_option options[] = {
    {'o', "output", true, nullptr},
    {0, "chart", true, nullptr},
    {0, "json", true, nullptr},
    {0, "csv", true, nullptr},
};

int run_gfs(const command_line& parsed, std::ostream&, const diagnostics& to) {
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

const cli_command gfs_command = {
    "gfs",
    "gfs MODEL [-o TABLE] [--chart FILE.svg] [--json FILE] [--csv FILE]",
    "the GFS run: the table to a file",
    usage,
    options,
    std::size(options),
    cli_operands::one,
    run_gfs,
};
