#include "chart/gather_forecast_chart_input.h"
#include "chart/read_bulletin_date.h"
#include "chart/write_forecast_chart.h"
#include "cli/cli_steps.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/usage.h"
#include "diagnostics/diagnostics.h"
#include "diagnostics/file_note.h"
#include "pointforecast/compute_city_forecast.h"
#include "pointforecast/load_bulletin_file.h"
#include "pointforecast/write_day_table.h"
#include "pointforecast/write_report.h"
#include "reading/parse_number.h"
#include "reading/quote_word.h"

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

static const option_spec forecast_options[] = {
    {0, "eta-weight", true},
    {'o', "output", true},
    {0, "chart", true},
};

int run_forecast(const std::vector<std::string>& args) {
    command_line parsed;
    int status = exit_done;
    if (!take_command_line(args, forecast_options, 3, forecast_usage, false, parsed, status))
        return status;
    auto weight = parsed.options.find("eta-weight");
    if (weight == parsed.options.end())
        return usage_error("missing option --eta-weight", forecast_usage);
    double eta_weight = 0;
    if (!parse_number(weight->second, eta_weight)) {
        diagnose("The ETA model weight must be a number.");
        return usage_error("--eta-weight " + quote_word(weight->second) +
                               " is no number; give one such as 0.7",
                           forecast_usage);
    }

    const std::string& input = parsed.operands[0];
    std::string output;
    std::string chart;
    status = check_run_files(input, parsed, output, chart);
    if (status != exit_done) return status;
    station_arrays arrays;
    std::string fault_text;
    std::vector<std::string> warnings;
    if (!load_bulletin_file(input, arrays, fault_text, warnings))
        return refuse(invalid_file_sentence, fault_text, exit_refused);
    for (const std::string& warning : warnings) diagnose(warning);
    forecast_chart_input chart_input;
    // The chart dates its days from the first header; without a date, nothing is written.
    if (!chart.empty() && !read_bulletin_date(input.c_str(), chart_input.issued))
        return refuse(invalid_file_sentence,
                      input + ": the bulletin date is no real month/day/year date to chart",
                      exit_refused);

    city_forecast forecast;
    compute_city_forecast(arrays, eta_weight, forecast);
    write_day_table(std::cout, forecast, false);
    std::ostringstream report;
    write_report(report, forecast);
    status = write_output(output, report.str());
    if (status != exit_done || chart.empty()) return status;

    chart_input.file_name = input;
    gather_forecast_chart_input(forecast, eta_weight, chart_input);
    std::ostringstream svg;
    fault why;
    if (!write_forecast_chart(svg, chart_input, why))
        return refuse(invalid_file_sentence, file_place(why.file, why.line) + ": " + why.what,
                      exit_refused);
    return write_output(chart, svg.str());
}
