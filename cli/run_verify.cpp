#include "cli/run_verify.h"

#include "calendar/iso_date.h"
#include "chart/verify_chart.h"
#include "cli/run_files.h"
#include "files/input_file.h"
#include "files/output_names.h"
#include "reading/places.h"
#include "verify/observation_files.h"
#include "verify/verify_report.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <ctime>
#include <iterator>
#include <ostream>
#include <sstream>

namespace {

const char* const usage =
    "Usage: vuzazav-cli verify [--chart FILE.svg] [--json FILE] [--pairs FILE.csv]\n"
    "                          [--verif PREFIX] [--by-day] [--station ID] OBSERVATIONS...\n"
    "                          [--] FORECAST.json...\n"
    "Scores past forecasts, the documents of 'vuzazav-cli forecast --json', against what\n"
    "KBKX, KHON, KMHE and KFSD observed: day d of a forecast issued on date D against\n"
    "date D + d, the low against the lowest reading from 7 PM the evening before to 8 AM\n"
    "and the high against the highest from 7 AM to 7 PM, local standard time (CST), the\n"
    "city's values against the station values made into city values by the station\n"
    "weights and each station's guidance values against the station. Prints for the low\n"
    "and high of each day the pairs, bias and mean absolute error of the issued blend and\n"
    "of each guidance alone, the same by station, and the first guidance's weight that\n"
    "would have given the least squared error over days 1 and 2 (10 pairs or more) with\n"
    "its 90 % interval (2,000 resamples of whole forecasts) and advice.\n"
    "\n"
    "The files are told apart by their content, in any order: a forecast is a JSON\n"
    "document; observations are the Iowa Environmental Mesonet's CSV (a header line\n"
    "starting \"station,\": hourly ASOS readings with a valid column, or daily summaries),\n"
    "METAR reports as NOAA's cycle files give them, or NWS CF6 products (WS FORM: F-6),\n"
    "one month each. Daily sources give calendar-day extremes; where a station has hourly\n"
    "readings on a day, they count. Of forecasts issued at the same time, the one given\n"
    "last counts. \"--\" ends the options, so that the names after it may start with \"-\".\n"
    "\n"
    "Options:\n"
    "  --chart FILE.svg  also draw the mean absolute error by day as a chart\n"
    "  --json FILE    also write every number and every pair as a JSON document\n"
    "  --pairs FILE.csv  also write every forecast/observation pair as CSV\n"
    "  --verif PREFIX also write the pairs for Verif: PREFIX.issued.txt, PREFIX.first.txt\n"
    "                 and PREFIX.second.txt\n"
    "  --by-day       also fit the weight to day 1 and to day 2 alone\n"
    "  --station ID   the station of the CF6 products after it that have no CF6 identifier\n"
    "                 line (CF6FSD is KFSD)\n"
    "  -h, --help     show this help and exit\n"
    "\n"
    "Exit status: 0 done, 1 a file was refused or no pair could be made, 2 usage error,\n"
    "3 an output could not be written.\n";

const cli_option options[] = {
    {0, "chart", true, nullptr}, {0, "json", true, nullptr},    {0, "pairs", true, nullptr},
    {0, "verif", true, nullptr}, {0, "by-day", false, nullptr}, {0, "station", true, nullptr},
};

// Everything the files given hold.
struct verify_inputs {
    std::vector<forecast_document> documents;
    observations observed;
    warning_list warnings;
};

// Reads one file given to verify into inputs, telling its kind by its content; station is
// the --station in effect for it (empty for none).
bool read_verify_file(const std::string& name, const std::string& station, verify_inputs& inputs,
                      fault& why) {
    std::ifstream in;
    if (!open_input_file(name, in, why)) return false;
    bool read = false, unreadable = false;
    // A damaged disk makes the stream buffer throw: a file that cannot be read.
    try {
        switch (recognise_verify_input(in)) {
        case verify_input::forecast_document: {
            forecast_document doc;
            read = read_forecast_document(in, name, doc, why);
            if (read && !doc.dated)
                inputs.warnings.kept.push_back(
                    fault{fault_kind::refused_input,
                          "the forecast has no issued time (its bulletins "
                          "had no real date); none of its days is verified",
                          name});
            if (read) inputs.documents.push_back(doc);
            break;
        }
        case verify_input::mesonet_csv:
            read = read_mesonet_csv(in, name, inputs.observed, inputs.warnings, why);
            break;
        case verify_input::metar_cycle:
            read = read_metar_cycle(in, name, inputs.observed, inputs.warnings, why);
            break;
        case verify_input::cf6_product:
            read = read_cf6_products(in, name, station, inputs.observed, inputs.warnings, why);
            break;
        case verify_input::unreadable:
            unreadable = true;
            break;
        case verify_input::unknown:
            why = fault{fault_kind::refused_input,
                        "neither a forecast document of vuzazav-cli forecast --json, a mesonet "
                        "CSV, METAR reports nor a CF6 product",
                        name};
            return false;
        }
    } catch (const std::ios_base::failure&) {
        unreadable = true;
    }
    if (unreadable || (read && in.bad())) {
        why = fault{fault_kind::missing_file, std::strerror(EIO), name};
        return false;
    }
    return read;
}

// Why no pair could be made: the days the forecasts verify on beside the days observed.
std::string no_pair_reason(const verify_inputs& inputs, const observed_table& observed,
                           const verification& result) {
    if (result.forecasts == 0)
        return inputs.documents.empty() ? "no forecast document was given"
                                        : "no forecast document has an issued time";
    if (observed.days.empty()) return "no observation was read";
    return "the forecasts verify on " + iso_day(days_since_epoch(result.first_issued) + 1) +
           " to " + iso_day(days_since_epoch(result.last_issued) + verified_days) +
           ", the observations are of " + iso_day(observed.days.begin()->first) + " to " +
           iso_day(observed.days.rbegin()->first);
}

// The files of --verif PREFIX, and which forecast each holds.
const struct {
    const char* suffix;
    verif_forecast forecast;
} verif_files[] = {{".issued.txt", verif_forecast::issued},
                   {".first.txt", verif_forecast::first},
                   {".second.txt", verif_forecast::second}};

void gather_chart_input(const verification& r, verify_chart_input& in) {
    in.period = issued_period(r);
    in.first_model = r.first_model;
    in.second_model = r.second_model;
    in.weight = r.fit.weight;
    for (int k = 0; k < 2; ++k)
        for (int d = 0; d < verified_days; ++d) {
            const day_scores& s = k == 0 ? r.low[d] : r.high[d];
            in.issued[k][d] = s.issued.mae;
            in.first[k][d] = s.first.mae;
            in.second[k][d] = s.second.mae;
            in.fitted[k][d] = s.fitted.mae;
            in.pairs[k][d] = s.issued.pairs;
        }
}

} // namespace

int run_verify(const command_line& parsed, std::ostream& out, const diagnostics& to) {
    for (const given_option& option : parsed.given)
        if (option.name == "station" && station_index(option.value) < 0)
            return usage_error(
                to, "--station " + quote_word(option.value) + " is none of " + station_list(),
                usage);
    std::vector<std::string> outputs;
    for (const char* option : {"chart", "json", "pairs"}) {
        auto given = parsed.options.find(option);
        if (given != parsed.options.end()) outputs.push_back(given->second);
    }
    auto verif = parsed.options.find("verif");
    if (verif != parsed.options.end())
        for (const auto& file : verif_files) outputs.push_back(verif->second + file.suffix);
    fault why;
    // The inputs are never changed: none may be an output under any name.
    for (const std::string& name : parsed.operands)
        if (!check_run_outputs(name, outputs, why)) return refuse(to, why);

    verify_inputs inputs;
    for (std::size_t i = 0; i < parsed.operands.size(); ++i) {
        std::string station;
        for (const given_option& option : parsed.given)
            if (option.name == "station" && option.operands_before <= i) station = option.value;
        if (!read_verify_file(parsed.operands[i], station, inputs, why)) return refuse(to, why);
    }
    observed_table observed;
    observe_windows(inputs.observed, static_cast<long long>(std::time(nullptr)) / 60, observed,
                    inputs.warnings);
    for (const std::string& line : warning_lines(inputs.warnings)) diagnose(to, line);

    verification result;
    verify_options options;
    options.by_day = parsed.options.count("by-day") > 0;
    verify_forecasts(inputs.documents, observed, options, result);
    if (result.without_station_values > 0 && result.forecasts > 0)
        diagnose(to, std::to_string(result.without_station_values) + " of the " +
                         std::to_string(result.forecasts) +
                         " forecasts have no station values: they are scored for the city only");
    if (result.all_pairs == 0)
        return refuse(to, fault{fault_kind::refused_input,
                                "no forecast/observation pair could be made: " +
                                    no_pair_reason(inputs, observed, result),
                                ""});
    std::ostringstream svg;
    auto chart = parsed.options.find("chart");
    if (chart != parsed.options.end()) {
        verify_chart_input chart_input;
        gather_chart_input(result, chart_input);
        if (!write_verify_chart(svg, chart_input, why)) return refuse(to, why);
    }
    write_verify_table(out, result);
    int status = exit_done;
    if (chart != parsed.options.end()) status = write_output(to, chart->second, svg.str());
    auto json = parsed.options.find("json");
    if (status == exit_done && json != parsed.options.end())
        status = write_output(to, json->second, verify_json(result, program_version));
    auto pairs = parsed.options.find("pairs");
    if (status == exit_done && pairs != parsed.options.end())
        status = write_output(to, pairs->second, pairs_csv(result));
    if (verif != parsed.options.end())
        for (const auto& file : verif_files)
            if (status == exit_done)
                status = write_output(to, verif->second + file.suffix,
                                      verif_text(result, file.forecast));
    return status;
}

const cli_command verify_command = {
    "verify",
    "verify [--chart FILE.svg] [--json FILE] [--pairs FILE.csv] [--verif PREFIX] [--by-day] "
    "[--station ID] OBSERVATIONS... [--] FORECAST.json...",
    "scores past forecasts against observations and fits the first guidance's weight",
    usage,
    options,
    std::size(options),
    cli_operands::one_or_more,
    run_verify,
};
