#include "cli/cli_steps.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/usage.h"

#ifndef VUZAZAV_HAVE_ECCODES

int run_gfs_point(const command_line&, const diagnostics& to) {
    diagnose(to, "gfs-point: this vuzazav-cli is built without ecCodes, which reads GRIB2 files");
    return exit_usage;
}

#else

#include "files/input_file.h"
#include "files/output_names.h"
#include "grib/gfs_point.h"
#include "reading/reading.h"

// Takes the value of option name, between low and high, into degrees; false after a usage
// error, with status set.
static bool take_degrees(const diagnostics& to, const command_line& parsed, const char* name,
                         double low, double high, double& degrees, int& status) {
    const std::string& word = parsed.options.at(name);
    if (parse_number(word, degrees) && degrees >= low && degrees <= high) return true;
    status = usage_error(to,
                         "--" + std::string(name) + " \"" + word + "\" is no number from " +
                             std::to_string(static_cast<int>(low)) + " to " +
                             std::to_string(static_cast<int>(high)),
                         gfs_point_usage);
    return false;
}

int run_gfs_point(const command_line& parsed, const diagnostics& to) {
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
