#include "cli/cli_steps.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/usage.h"
#include "diagnostics/diagnostics.h"

#ifndef VUZAZAV_HAVE_ECCODES

int run_gfs_point(const std::vector<std::string>&) {
    diagnose("gfs-point: this vuzazav-cli is built without ecCodes, which reads GRIB2 files");
    return exit_usage;
}

#else

#include "diagnostics/sentences.h"
#include "files/check_input_file.h"
#include "grib/gfs_point.h"
#include "reading/parse_number.h"

static const option_spec gfs_point_options[] = {
    {'o', "output", true},
    {0, "lat", true},
    {0, "lon", true},
};

// Takes the value of option name, between low and high, into degrees; false after a usage
// error, with status set.
static bool take_degrees(const command_line& parsed, const char* name, double low, double high,
                         double& degrees, int& status) {
    const std::string& word = parsed.options.at(name);
    if (parse_number(word, degrees) && degrees >= low && degrees <= high) return true;
    status = usage_error("--" + std::string(name) + " \"" + word + "\" is no number from " +
                             std::to_string(static_cast<int>(low)) + " to " +
                             std::to_string(static_cast<int>(high)),
                         gfs_point_usage);
    return false;
}

int run_gfs_point(const std::vector<std::string>& args) {
    command_line parsed;
    int status = exit_done;
    if (!take_command_line(args, gfs_point_options, 3, gfs_point_usage, true, parsed, status))
        return status;
    gfs_point_request request;
    request.files = parsed.operands;
    const bool lat = parsed.options.count("lat"), lon = parsed.options.count("lon");
    if (lat != lon) return usage_error("--lat and --lon go together", gfs_point_usage);
    if (lat && (!take_degrees(parsed, "lat", -90, 90, request.latitude, status) ||
                !take_degrees(parsed, "lon", -180, 360, request.longitude, status)))
        return status;

    auto named = parsed.options.find("output");
    const std::string output = named != parsed.options.end() ? named->second : "gfs_model.txt";
    std::string why;
    for (const std::string& input : request.files) {
        if (const char* sentence = check_input_file(input, why))
            return refuse(sentence, why, exit_refused);
        if (const char* sentence = check_output_name(input, output, why))
            return refuse(sentence, why, exit_not_written);
    }
    gfs_point_series series;
    std::vector<std::string> notes;
    fault refusal;
    const bool loaded = load_gfs_point(request, series, notes, refusal);
    if (!loaded) diagnose(refusal.file.empty() ? refusal.what : refusal.file + ": " + refusal.what);
    for (const std::string& note : notes) diagnose(note);
    if (!loaded) return exit_refused;
    return write_output(output, format_gfs_model_file(series));
}

#endif
