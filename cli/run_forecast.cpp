#include "cli/run_forecast.h"

#include "chart/forecast_chart.h"
#include "cli/run_files.h"
#include "diagnostics/sentences.h"
#include "export/forecast_export.h"
#include "pointforecast/compute_city_forecast.h"
#include "pointforecast/load_bulletin_file.h"
#include "pointforecast/write_report.h"
#include "reading/places.h"
#include "reading/reading.h"

#include <iterator>
#include <sstream>

static const char* const usage =
    "Usage: vuzazav-cli forecast BULLETINS --weight W [-o REPORT] [--chart FILE.svg]\n"
    "       [--json FILE.json] [--csv FILE.csv]\n"
    "The 1200 run on a bulletin file: prints the day table and writes the report, named\n"
    "after BULLETINS with \"out\" in place of its last three characters unless -o names it.\n"
    "\n"
    "Options:\n"
    "  --weight W      the weight, from 0 to 1, of the first short-range guidance (ETA, NAM\n"
    "                  or NBM) against AVN/GFS MOS, which gets 1 - W\n"
    "  --eta-weight W  the same, by its older name\n"
    "  -o REPORT       the report file to write\n"
    "  --chart FILE    also write the run's meteogram, an SVG picture, to FILE\n"
    "  --json FILE     also write every value with its valid time, each model's value and\n"
    "                  its stations, a JSON document, to FILE\n"
    "  --csv FILE      also write the same values as CSV, one line a value, to FILE\n"
    "  -h, --help      show this help and exit\n"
    "\n"
    "Exit status: 0 written, 1 the bulletin file was refused, 2 usage error (also a weight\n"
    "that is no number or outside 0 to 1), 3 an output could not be written.\n";

static const cli_option options[] = {
    {0, "weight", true, nullptr}, {0, "eta-weight", true, "weight"}, {'o', "output", true, nullptr},
    {0, "chart", true, nullptr},  {0, "json", true, nullptr},        {0, "csv", true, nullptr},
};

int read_forecast_weight(const command_line& parsed, const diagnostics& to, const char* usage,
                         double& eta_weight) {
    const given_option* weight = last_given(parsed, "weight");
    if (!weight) return usage_error(to, "missing option --weight", usage);
    if (!parse_number(weight->value, eta_weight)) {
        diagnose(to, bad_weight_sentence);
        return usage_error(to,
                           weight->written + " " + quote_word(weight->value) +
                               " is no number; give one such as 0.7",
                           usage);
    }
    // A script's weight outside 0 to 1 is always a slip; only the menu extrapolates.
    if (!(eta_weight >= lowest_eta_weight && eta_weight <= highest_eta_weight))
        return usage_error(to,
                           weight->written + " " + quote_word(weight->value) + " is " +
                               weight_range_note + "; give one from 0 to 1",
                           usage);
    return exit_done;
}

int run_forecast(const command_line& parsed, std::ostream& out, const diagnostics& to) {
    double eta_weight = 0;
    int status = read_forecast_weight(parsed, to, usage, eta_weight);
    if (status != exit_done) return status;
    const given_option* weight = last_given(parsed, "weight");

    const std::string& name = parsed.operands[0];
    std::ifstream input;
    std::vector<std::string> outputs;
    status = open_run_files(to, parsed, input, outputs, {"chart", "json", "csv"});
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
        why.what = weight->written + " " + quote_word(weight->value) + ": " + why.what;
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
    write_day_table(out, forecast, false);
    status = write_output(to, report_name, report.str());
    if (status == exit_done && !chart_name.empty())
        status = write_output(to, chart_name, svg.str());
    if (status != exit_done) return status;
    return write_documents(to, outputs[2], forecast_json(documents), outputs[3],
                           forecast_csv(documents));
}

const cli_command forecast_command = {
    "forecast",
    "forecast BULLETINS --weight W [-o REPORT] [--chart FILE.svg] [--json FILE] [--csv FILE]",
    "the 1200 run: the day table on standard output, the report to a file",
    usage,
    options,
    std::size(options),
    cli_operands::one,
    run_forecast,
};
