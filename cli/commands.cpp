#include "cli/commands.h"
#include "cli/cli_steps.h"
#include "cli/usage.h"

#include <iterator>

namespace {

const cli_option assemble_options[] = {
    {'o', "output", true},
    {0, "date", true},
    {0, "short-range", true},
};
const cli_option forecast_options[] = {
    {0, "eta-weight", true}, {'o', "output", true}, {0, "chart", true},
    {0, "json", true},       {0, "csv", true},
};
const cli_option gfs_options[] = {
    {'o', "output", true},
    {0, "chart", true},
    {0, "json", true},
    {0, "csv", true},
};
const cli_option gfs_point_options[] = {
    {'o', "output", true},
    {0, "lat", true},
    {0, "lon", true},
};
const cli_option verify_options[] = {
    {0, "chart", true}, {0, "json", true},    {0, "pairs", true},
    {0, "verif", true}, {0, "by-day", false}, {0, "station", true},
};

} // namespace

const cli_command cli_commands[] = {
    {"assemble", "assemble [-o FILE] [--date DATE] [--short-range nam|nbm] PRODUCT...",
     "gather the twelve bulletins of the 1200 run from guidance products", assemble_usage,
     assemble_options, std::size(assemble_options), true, run_assemble},
    {"forecast",
     "forecast BULLETINS --eta-weight W [-o REPORT] [--chart FILE.svg] [--json FILE] [--csv FILE]",
     "the 1200 run: the day table on standard output, the report to a file", forecast_usage,
     forecast_options, std::size(forecast_options), false, run_forecast},
    {"gfs", "gfs MODEL [-o TABLE] [--chart FILE.svg] [--json FILE] [--csv FILE]",
     "the GFS run: the table to a file", gfs_usage, gfs_options, std::size(gfs_options), false,
     run_gfs},
    {"gfs-point", "gfs-point [-o FILE] [--lat LAT --lon LON] GRIB2FILE...",
     "the GFS model file of a point from the model's GRIB2 files", gfs_point_usage,
     gfs_point_options, std::size(gfs_point_options), true, run_gfs_point},
    {"verify",
     "verify [--chart FILE.svg] [--json FILE] [--pairs FILE.csv] [--verif PREFIX] [--by-day] "
     "[--station ID] OBSERVATIONS... [--] FORECAST.json...",
     "scores past forecasts against observations and fits the first guidance's weight",
     verify_usage, verify_options, std::size(verify_options), true, run_verify},
};
const std::size_t cli_command_count = std::size(cli_commands);
