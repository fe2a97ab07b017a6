#include "cli/run_gfs_point.h"

#include "cli/run_files.h"

#include <iterator>

static const char* const usage =
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

static const cli_option options[] = {
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

#include "files/input_file.h"
#include "files/output_names.h"
#include "grib/gfs_point.h"
#include "reading/places.h"
#include "reading/reading.h"

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
                         usage);
    return false;
}

int run_gfs_point(const command_line& parsed, std::ostream&, const diagnostics& to) {
    gfs_point_request request;
    request.files = parsed.operands;
    const bool lat = parsed.options.count("lat"), lon = parsed.options.count("lon");
    if (lat != lon) return usage_error(to, "--lat and --lon go together", usage);
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
    usage,
    options,
    std::size(options),
    cli_operands::one_or_more,
    run_gfs_point,
};
