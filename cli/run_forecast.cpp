#include "cli/run_forecast.h"

#include "chart/forecast_chart.h"
#include "cli/run_files.h"
#include "diagnostics/sentences.h"
#include "export/forecast_export.h"
#include "pointforecast/compute_city_forecast.h"
#include "pointforecast/load_bulletin_file.h"
#include "pointforecast/nbm_elements.h"
#include "pointforecast/period_product.h"
#include "pointforecast/periods.h"
#include "pointforecast/write_report.h"
#include "reading/places.h"
#include "reading/reading.h"

#include <iterator>
#include <sstream>

static const char* const usage =
    "Usage: vuzazav-cli forecast BULLETINS --weight W [-o REPORT] [--chart FILE.svg]\n"
    "       [--json FILE.json] [--csv FILE.csv] [--product FILE.txt] [--short-range-only]\n"
    "       [FLAG OPTION]...\n"
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
    "                  its stations, and the periods, a JSON document, to FILE\n"
    "  --csv FILE      also write the same values as CSV, one line a value, to FILE\n"
    "  --product FILE  also write the period forecast in the city's local time, with the\n"
    "                  evidence behind each value and the flags, a text product, to FILE\n"
    "  --short-range-only  issue days 1 and 2 and the short-range hours from bulletins\n"
    "                  1 to 8 alone (as assemble --short-range-only writes them, or the\n"
    "                  first eight of twelve): every output says days 3 to 7 are left out,\n"
    "                  and a file of eight is refused without it\n"
    "  -h, --help      show this help and exit\n"
    "\n"
    "Flag options (a flag changes no number; with --product or --json each flag is also\n"
    "said on standard error):\n"
    "  --flag-temperature-difference F  the two guidances' temperatures or dew points\n"
    "                  F degrees F apart or more (default 6)\n"
    "  --flag-pop-difference P  their probabilities of precipitation P points apart or\n"
    "                  more (default 30)\n"
    "  --flag-outlier F  a station F degrees F or more from the median of its guidance's\n"
    "                  stations (default 15)\n"
    "  --flag-range LOW,HIGH  a temperature or dew point outside LOW to HIGH degrees F\n"
    "                  (default -60,120)\n"
    "\n"
    "Exit status: 0 written, 1 the bulletin file was refused, 2 usage error (also a weight\n"
    "that is no number or outside 0 to 1, or a flag option that is no number), 3 an output\n"
    "could not be written.\n";

static const cli_option options[] = {
    {0, "weight", true, nullptr},
    {0, "eta-weight", true, "weight"},
    {'o', "output", true, nullptr},
    {0, "chart", true, nullptr},
    {0, "json", true, nullptr},
    {0, "csv", true, nullptr},
    {0, "product", true, nullptr},
    {0, "short-range-only", false, nullptr},
    {0, "flag-temperature-difference", true, nullptr},
    {0, "flag-pop-difference", true, nullptr},
    {0, "flag-outlier", true, nullptr},
    {0, "flag-range", true, nullptr},
};

// A flag option's value: a number of 0 or more. False, with error set, for anything else.
static bool read_flag_limit(const command_line& parsed, const char* name, double& limit,
                            std::string& error) {
    const given_option* given = last_given(parsed, name);
    if (!given) return true;
    if (parse_number(given->value, limit) && limit >= 0) return true;
    error = given->written + " " + quote_word(given->value) + " is no number of 0 or more";
    return false;
}

// The flag options, over the defaults of limits. False, with error set, at a value that is
// no number, or a range whose low end lies above its high end.
static bool read_flag_limits(const command_line& parsed, flag_limits& limits, std::string& error) {
    if (!read_flag_limit(parsed, "flag-temperature-difference", limits.temperature_difference,
                         error) ||
        !read_flag_limit(parsed, "flag-pop-difference", limits.pop_difference, error) ||
        !read_flag_limit(parsed, "flag-outlier", limits.station_outlier, error))
        return false;
    const given_option* range = last_given(parsed, "flag-range");
    if (!range) return true;
    const std::string::size_type comma = range->value.find(',');
    if (comma != std::string::npos && parse_number(range->value.substr(0, comma), limits.lowest) &&
        parse_number(range->value.substr(comma + 1), limits.highest) &&
        limits.lowest <= limits.highest)
        return true;
    error = range->written + " " + quote_word(range->value) +
            " is no range LOW,HIGH of two numbers, the lower first";
    return false;
}

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

    flag_limits limits;
    std::string error;
    if (!read_flag_limits(parsed, limits, error)) return usage_error(to, error, usage);

    const std::string& name = parsed.operands[0];
    std::ifstream input;
    std::vector<std::string> outputs;
    status = open_run_files(to, parsed, input, outputs, {"chart", "json", "csv", "product"});
    if (status != exit_done) return status;
    const std::string &report_name = outputs[0], &chart_name = outputs[1];
    const std::string &json_name = outputs[2], &product_name = outputs[4];
    loaded_bulletins loaded;
    fault why;
    const bool short_range_only = parsed.options.count("short-range-only") > 0;
    if (!load_bulletin_file(input, name, loaded, why, short_range_only)) return refuse(to, why);
    city_forecast forecast;
    forecast_export_input documents{program_version, name, eta_weight, &loaded, &forecast, {}};
    header_lines(input, loaded.layout, documents.header_line);
    // The NBM's own rows are read only for the outputs that show them.
    const bool nbm_shown =
        !chart_name.empty() || !json_name.empty() || !outputs[3].empty() || !product_name.empty();
    nbm_bulletins nbm_rows{};
    std::vector<fault> nbm_notes;
    if (nbm_shown) read_nbm_bulletins(input, name, loaded.layout, nbm_rows, nbm_notes);
    input.close();
    for (const fault& warning : loaded.warnings) diagnose(to, fault_line(warning));
    for (const fault& note : nbm_notes) diagnose(to, fault_line(note));
    if (loaded.layout.end >= 0)
        diagnose(to, fault_line(fault{fault_kind::refused_input,
                                      "--short-range-only: what follows bulletin 8 is passed "
                                      "over; days 3 to 7 are left out",
                                      name, 0, -1}));
    // The chart dates its days from the first header, the product its periods; without a
    // date, nothing is written.
    if (!chart_name.empty() && !loaded.dated)
        return refuse(to, fault{fault_kind::invalid_bulletins,
                                "the bulletin date is no real month/day/year date to chart", name,
                                0, -1});
    if (!product_name.empty() && !loaded.dated)
        return refuse(to, fault{fault_kind::invalid_bulletins,
                                "the bulletin date is no real month/day/year date to name the "
                                "product's periods",
                                name, 0, -1});

    if (!compute_city_forecast(loaded.values, eta_weight, forecast, why)) {
        why.what = weight->written + " " + quote_word(weight->value) + ": " + why.what;
        return refuse(to, why);
    }
    std::vector<forecast_period> periods;
    if (loaded.dated) periods = forecast_periods(loaded, forecast, limits);
    documents.periods = loaded.dated ? &periods : nullptr;
    const nbm_forecast nbm = nbm_city_forecast(nbm_rows, loaded.issued, periods);
    if (nbm_shown) documents.nbm = &nbm;
    std::ostringstream report, svg;
    write_report(report, forecast);
    if (!chart_name.empty()) {
        forecast_chart_input chart_input;
        chart_input.file_name = name;
        chart_input.issued = loaded.issued;
        gather_forecast_chart_input(forecast, eta_weight, chart_input);
        guidance_names(loaded.layout, chart_input.short_models, chart_input.extended_model);
        chart_input.periods = &periods;
        chart_input.nbm = &nbm;
        if (!write_forecast_chart(svg, chart_input, why)) return refuse(to, why);
    }
    write_day_table(out, forecast, false);
    // The outputs that carry the periods say their flags; the forecaster decides.
    if (!product_name.empty() || !json_name.empty())
        for (const forecast_period& p : periods)
            for (const period_flag& f : p.flags)
                diagnose(to, fault_line(
                                 fault{fault_kind::refused_input, "flag: " + f.text, name, 0, -1}));
    status = write_output(to, report_name, report.str());
    if (status == exit_done && !product_name.empty())
        status = write_output(to, product_name, period_product(loaded, eta_weight, periods, &nbm));
    if (status == exit_done && !chart_name.empty())
        status = write_output(to, chart_name, svg.str());
    if (status != exit_done) return status;
    return write_documents(to, json_name, forecast_json(documents), outputs[3],
                           forecast_csv(documents));
}

const cli_command forecast_command = {
    "forecast",
    "forecast BULLETINS --weight W [-o REPORT] [--chart FILE.svg] [--json FILE] [--csv FILE]\n"
    "           [--product FILE] [--short-range-only] [FLAG OPTION]...",
    "the 1200 run: the day table on standard output, the report to a file",
    usage,
    options,
    std::size(options),
    cli_operands::one,
    run_forecast,
};
