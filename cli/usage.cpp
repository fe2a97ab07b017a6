#include "cli/usage.h"

#include "cli/cli_steps.h"

std::string main_usage() {
    std::string text = "Usage: vuzazav-cli COMMAND [OPTION]... ARGUMENT...\n"
                       "The City of Vuzazav forecast from guidance files, without the menu.\n"
                       "\n"
                       "Commands:\n";
    for (std::size_t i = 0; i < cli_command_count; ++i) {
        const cli_command& c = cli_commands[i];
        text += std::string("  ") + c.synopsis + "\n      " + c.summary + "\n";
    }
    return text + "\n"
                  "Options:\n"
                  "  -h, --help     show this help, or a command's with COMMAND --help, and exit\n"
                  "  --version      show the version and exit\n"
                  "\n"
                  "Exit status: 0 done, 1 the input was refused, 2 usage error,\n"
                  "3 an output could not be written.\n";
}

const char* const assemble_usage =
    "Usage: vuzazav-cli assemble [-o FILE] [--date DATE] [--short-range nam|nbm] PRODUCT...\n"
    "Gathers the twelve bulletins the 1200 run needs, for the stations KBKX, KHON, KMHE and\n"
    "KFSD: NAM (or ETA) when all four are there, else NBM NBS, and GFS (or AVN) at 1200 UTC,\n"
    "and GFSX (or MRF) at 0000 UTC, all of one date, from guidance products as received\n"
    "(headings, framing, any station order, the national NBS product too), and writes them\n"
    "in the order the 1200 run reads them, model words as received.\n"
    "\n"
    "Options:\n"
    "  -o FILE        the bulletin file to write (default bulletins.txt)\n"
    "  --date DATE    the date of the bulletins, month/day/year or year-month-day (default:\n"
    "                 the latest date any bulletin carries; when it lacks one, nothing is\n"
    "                 written)\n"
    "  --short-range G  nam or nbm: take only that short-range guidance\n"
    "  -h, --help     show this help and exit\n"
    "\n"
    "Exit status: 0 written, 1 a product could not be read or a bulletin is missing\n"
    "(each missing one is listed), 2 usage error, 3 the file could not be written.\n";

const char* const forecast_usage =
    "Usage: vuzazav-cli forecast BULLETINS --eta-weight W [-o REPORT] [--chart FILE.svg]\n"
    "       [--json FILE.json] [--csv FILE.csv]\n"
    "The 1200 run on a bulletin file: prints the day table and writes the report, named\n"
    "after BULLETINS with \"out\" in place of its last three characters unless -o names it.\n"
    "\n"
    "Options:\n"
    "  --eta-weight W  the weight, from 0 to 1, of the first short-range guidance (ETA, NAM\n"
    "                  or NBM) against AVN/GFS MOS, which gets 1 - W\n"
    "  -o REPORT       the report file to write\n"
    "  --chart FILE    also write the run's meteogram, an SVG picture, to FILE\n"
    "  --json FILE     also write every value with its valid time, each model's value and\n"
    "                  its stations, a JSON document, to FILE\n"
    "  --csv FILE      also write the same values as CSV, one line a value, to FILE\n"
    "  -h, --help      show this help and exit\n"
    "\n"
    "Exit status: 0 written, 1 the bulletin file was refused, 2 usage error (also a weight\n"
    "that is no number or outside 0 to 1), 3 an output could not be written.\n";

const char* const gfs_usage =
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

const char* const gfs_point_usage =
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

const char* const verify_usage =
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
