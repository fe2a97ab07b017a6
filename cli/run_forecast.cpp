#include "chart/forecast_chart.h"
#include "cli/cli_steps.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/usage.h"
#include "diagnostics/sentences.h"
#include "export/forecast_export.h"
#include "pointforecast/compute_city_forecast.h"
#include "pointforecast/load_bulletin_file.h"
#include "pointforecast/write_report.h"
#include "reading/places.h"
#include "reading/reading.h"

#include <iostream>
#include <sstream>

int run_forecast(const command_line& parsed, const diagnostics& to) {
    auto weight = parsed.options.find("eta-weight");
    if (weight == parsed.options.end())
        return usage_error(to, "missing option --eta-weight", forecast_usage);
    double eta_weight = 0;
    if (!parse_number(weight->second, eta_weight)) {
        diagnose(to, bad_weight_sentence);
        return usage_error(to,
                           "--eta-weight " + quote_word(weight->second) +
                               " is no number; give one such as 0.7",
                           forecast_usage);
    }
    // A script's weight outside 0 to 1 is always a slip; only the menu extrapolates.
    if (!(eta_weight >= lowest_eta_weight && eta_weight <= highest_eta_weight))
        return usage_error(to,
                           "--eta-weight " + quote_word(weight->second) + " is " +
                               weight_range_note + "; give one from 0 to 1",
                           forecast_usage);

    const std::string& name = parsed.operands[0];
    std::ifstream input;
    std::vector<std::string> outputs;
    int status = open_run_files(to, parsed, input, outputs, {"chart", "json", "csv"});
    if (status != exit_done) return status;
    const std::string &report_name = outputs[0], &chart_name = outputs[1];
    loaded_bulletins loaded;
    fault why;
    if (!load_bulletin_file(input, name, loaded, why)) return refuse(to, why);
    city_forecast forecast;
    forecast_export_input documents{program_version, name, eta_weight, &loaded, &forecast, {}};
    header_lines(input, loaded.layout, documents.header_line);
    input.close();
    for (const fault& warning : loaded.warnings) diagnose(to, fault_line(warning));
    // The chart dates its days from the first header; without a date, nothing is written.
    if (!chart_name.empty() && !loaded.dated)
        return refuse(to, fault{fault_kind::invalid_bulletins,
                                "the bulletin date is no real month/day/year date to chart", name,
                                0, -1});

    if (!compute_city_forecast(loaded.values, eta_weight, forecast, why)) {
        why.what = "--eta-weight " + quote_word(weight->second) + ": " + why.what;
        return refuse(to, why);
    }
    std::ostringstream report, svg;
    write_report(report, forecast);
    if (!chart_name.empty()) {
        forecast_chart_input chart_input;
        chart_input.file_name = name;
        chart_input.issued = loaded.issued;
        gather_forecast_chart_input(forecast, eta_weight, chart_input);
        guidance_names(loaded.layout, chart_input.short_models, chart_input.extended_model);
        if (!write_forecast_chart(svg, chart_input, why)) return refuse(to, why);
    }
    write_day_table(std::cout, forecast, false);
    status = write_output(to, report_name, report.str());
    if (status == exit_done && !chart_name.empty())
        status = write_output(to, chart_name, svg.str());
    if (status != exit_done) return status;
    return write_documents(to, outputs[2], forecast_json(documents), outputs[3],
                           forecast_csv(documents));
}
