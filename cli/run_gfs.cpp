#include "chart/write_gfs_chart.h"
#include "cli/cli_steps.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "gfs/compute_gfs_table.h"
#include "gfs/load_gfs_file.h"
#include "gfs/write_gfs_table.h"
#include "reading/place_lines.h"

#include <sstream>

int run_gfs(const command_line& parsed, const diagnostics& to) {
    const std::string& name = parsed.operands[0];
    std::ifstream input;
    std::vector<std::string> outputs;
    int status = open_run_files(to, parsed, input, outputs, {"chart"});
    if (status != exit_done) return status;
    const std::string &table_name = outputs[0], &chart_name = outputs[1];
    gfs_model model;
    gfs_table_row table[gfs_row_count];
    fault why;
    if (!load_gfs_file(input, name, model, why)) return refuse(to, why);
    if (!compute_gfs_table(model, table, why)) {
        why.file = name;
        place_line(input, why);
        return refuse(to, why);
    }
    input.close();

    std::ostringstream text, svg;
    write_gfs_table(text, table);
    if (!chart_name.empty()) {
        // Until the chart takes table rows.
        gfs_row rows[gfs_row_count];
        double plus[gfs_row_count], minus[gfs_row_count];
        for (int i = 0; i < gfs_row_count; ++i) {
            const gfs_table_row& t = table[i];
            rows[i] = gfs_row{t.hour,   t.mslp_inhg, t.t2m_f,        t.t850_f,
                              t.t700_f, t.t500_f,    t.thickness_dm, t.rh_pct,
                              t.precip_in, t.cloud_pct, t.wind_dir_deg, t.wind_speed_mph};
            plus[i] = t.t2m_raised_f;
            minus[i] = t.t2m_lowered_f;
        }
        gfs_chart_input chart_input{name, model.run_known, model.run_time, rows, plus, minus};
        write_gfs_chart(svg, chart_input);
    }
    status = write_output(to, table_name, text.str());
    if (status != exit_done || chart_name.empty()) return status;
    return write_output(to, chart_name, svg.str());
}
