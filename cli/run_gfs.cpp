#include "cli/run_gfs.h"

#include "chart/gfs_chart.h"
#include "cli/run_files.h"
#include "export/gfs_export.h"
#include "gfs/gfs_table.h"
#ifdef VUZAZAV_HAVE_ECCODES
#include "files/input_file.h"
#include "files/output_names.h"
#include "grib/gfs_point.h"
#include "reading/places.h"
#include "reading/reading.h"
#endif

#include <iterator>
#include <sstream>

static const char* const gfs_usage =
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

static const cli_option gfs_options[] = {
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
    gfs_usage,
    gfs_options,
    std::size(gfs_options),
    cli_operands::one,
    run_gfs,
};

static const char* const gfs_point_usage =
    "Usage: vuzazav-cli gfs-point [-o FILE] [--lat LAT --lon LON] GRIB2FILE...\n"
    "Writes the GFS model file that the gfs command and the menu read, from the GRIB2 files\n"
    "of one GFS run (whole files or filtered subsets, any hours and messages in any order):\n"
    "hours 6 to 288 every 6 hours at the grid point nearest to the point.\n"
    "\n"
    "Options:\n"
    "  -o FILE        the model file to write (default gfs_model.txt)\n"
    "  --lat LAT      latitude of the point in degrees, north positive (default 44.05)\n"
    "  --lon LON      longitude in degrees, east positive, -180 to 360 (default -97.20)\n"
    "  -h, --help     show this help and exit\n"
    "\n"
    "Exit status: 0 written, 1 a file was refused (no GRIB2, a field or an hour missing,\n"
    "two runs mixed, the point off the grid), 2 usage error (also a build without ecCodes),\n"
    "3 the file could not be written.\n";

static const cli_option gfs_point_options[] = {
    {'o', "output", true, nullptr},
    {0, "lat", true, nullptr},
    {0, "lon", true, nullptr},
};

#ifndef VUZAZAV_HAVE_ECCODES

int run_gfs_point(const command_line&, std::ostream&, const diagnostics& to) {
    diagnose(to, "gfs-point: this vuzazav-cli is built without ecCodes, which reads GRIB2 files");
    return exit_usage;
}

#else

// Takes the value of option name, between low and high, into degrees; false after a usage
// error, with status set.
static bool take_degrees(const diagnostics& to, const command_line& parsed, const char* name,
                         double low, double high, double& degrees, int& status) {
    const std::string& word = parsed.options.at(name);
    if (parse_number(word, degrees) && degrees >= low && degrees <= high) return true;
    status = usage_error(to,
                         "--" + std::string(name) + " " + quote_word(word) + " is no number from " +
                             std::to_string(static_cast<int>(low)) + " to " +
                             std::to_string(static_cast<int>(high)),
                         gfs_point_usage);
    return false;
}

int run_gfs_point(const command_line& parsed, std::ostream&, const diagnostics& to) {
    gfs_point_request request;
    request.files = parsed.operands;
    const bool lat = parsed.options.count("lat"), lon = parsed.options.count("lon");
    if (lat != lon) return usage_error(to, "--lat and --lon go together", gfs_point_usage);
    int status = exit_done;
    if (lat && (!take_degrees(to, parsed, "lat", -90, 90, request.latitude, status) ||
                !take_degrees(to, parsed, "lon", -180, 360, request.longitude, status)))
        return status;

    auto named = parsed.options.find("output");
    const std::string output = named != parsed.options.end() ? named->second : "gfs_model.txt";
    fault why;
    for (const std::string& input : request.files) {
        std::ifstream readable;
        if (!open_input_file(input, readable, why) || !check_run_outputs(input, {output}, why))
            return refuse(to, why);
    }
    gfs_point_series series;
    std::vector<std::string> notes;
    const bool loaded = load_gfs_point(request, series, notes, why);
    if (!loaded) diagnose(to, fault_line(why));
    for (const std::string& note : notes) diagnose(to, note);
    if (!loaded) return exit_status_of(why.kind);
    return write_output(to, output, format_gfs_model_file(series));
}

#endif

const cli_command gfs_point_command = {
    "gfs-point",
    "gfs-point [-o FILE] [--lat LAT --lon LON] GRIB2FILE...",
    "the GFS model file of a point from the model's GRIB2 files",
    gfs_point_usage,
    gfs_point_options,
    std::size(gfs_point_options),
    cli_operands::one_or_more,
    run_gfs_point,
};
