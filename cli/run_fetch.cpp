#include "cli/run_fetch.h"

#include <iterator>

static const char* const usage =
    "Usage: vuzazav-cli fetch [--date DATE] [--cycle HH] [--to DIR] [--from BASE]\n"
    "       [--until TIME] WHAT...\n"
    "Downloads NOAA's guidance products of one run from NCEP's servers into DIR, each file\n"
    "completely or not at all, named as the server names it. WHAT is any of:\n"
    "  nbs  the national NBM NBS text product of the cycle (blend_nbstx.tHHz)\n"
    "  mav  the GFS MOS text product of the cycle (mdl_gfsmav.tHHz)\n"
    "  mex  the GFSX MOS text product of 0000 UTC (mdl_gfsmex.t00z)\n"
    "  gfs  of the GFS GRIB2 files of hours 6 to 288 (gfs.tHHz.pgrb2.0p25.fFFF), the\n"
    "       messages gfs-point reads, by byte ranges\n"
#ifndef VUZAZAV_HAVE_LIBCURL
    "This vuzazav-cli is built without libcurl: fetch is left out.\n"
#endif
    "\n"
    "Options:\n"
    "  --date DATE    the run's date, year-month-day or month/day/year, or today (default:\n"
    "                 today, UTC)\n"
    "  --cycle HH     the run's hour: 00, 06, 12 or 18 (default 12)\n"
    "  --to DIR       the folder to save into, made when missing (default: the current one)\n"
    "  --from BASE    a URL (http://, https://, file://) standing for NCEP's com/ folder, in\n"
    "                 place of NOMADS and ftpprd; given again, the servers are tried in turn\n"
    "  --until TIME   while a product is not there yet, try again until TIME, UTC: 16:30Z\n"
    "                 (today) or 2026-12-09T16:30Z (default: give up at once)\n"
    "  -h, --help     show this help and exit\n"
    "\n"
    "Exit status: 0 all fetched, 1 a download was broken or refused, 2 usage error (also a\n"
    "build without libcurl), 3 a folder or file could not be saved, 4 a product is not on\n"
    "the servers yet (try later).\n";

static const cli_option options[] = {
    {0, "date", true, nullptr}, {0, "cycle", true, nullptr}, {0, "to", true, nullptr},
    {0, "from", true, nullptr}, {0, "until", true, nullptr},
};

#ifndef VUZAZAV_HAVE_LIBCURL

int run_fetch(const command_line&, std::ostream&, const diagnostics& to) {
    diagnose(to, "fetch: this vuzazav-cli is built without libcurl, which downloads the products");
    return exit_usage;
}

#else

#include "cli/run_files.h"
#include "fetch/fetch_products.h"
#include "reading/places.h"

#include <ctime>
#include <filesystem>
#include <system_error>

int run_fetch(const command_line& parsed, std::ostream&, const diagnostics& to) {
    const long long now = std::time(nullptr);
    fetch_request request;
    request.user_agent = "vuzazav-cli/" VUZAZAV_VERSION;
    const auto wrong = [&to](const std::string& option, const std::string& word, const char* what) {
        return usage_error(to, "--" + option + " " + quote_word(word) + " is " + what, usage);
    };
    auto date = parsed.options.find("date");
    if (date == parsed.options.end() || date->second == "today") {
        if (const int status = today_utc(to, request.date); status != exit_done) return status;
    } else if (!read_fetch_date(date->second, now, request.date)) {
        return wrong("date", date->second, "no date year-month-day or month/day/year, nor today");
    }
    auto cycle = parsed.options.find("cycle");
    if (cycle != parsed.options.end() && !read_fetch_cycle(cycle->second, request.cycle))
        return wrong("cycle", cycle->second, "none of 00, 06, 12 and 18");
    auto until = parsed.options.find("until");
    if (until != parsed.options.end() && !read_fetch_until(until->second, now, request.until))
        return wrong("until", until->second, "no UTC time such as 16:30Z or 2026-12-09T16:30Z");
    std::vector<std::string> servers;
    for (const given_option& given : parsed.given) {
        if (given.name != "from") continue;
        if (!is_fetch_server(given.value))
            return wrong("from", given.value, "no URL of http://, https:// or file://");
        servers.push_back(given.value);
    }
    if (!servers.empty()) request.servers = servers;
    for (const std::string& word : parsed.operands) {
        fetch_product product{};
        if (!read_fetch_product(word, product))
            return usage_error(to, quote_word(word) + " is none of nbs, mav, mex and gfs", usage);
        request.products.push_back(product);
    }
    auto folder = parsed.options.find("to");
    if (folder != parsed.options.end()) {
        request.directory = folder->second;
        std::error_code error;
        std::filesystem::create_directories(request.directory, error);
        if (error) {
            diagnose(to, request.directory + ": the folder could not be made: " + error.message());
            return exit_not_written;
        }
    }
    return fetch_products(request, [&to](const std::string& line) { diagnose(to, line); }).status;
}

#endif

const cli_command fetch_command = {
    "fetch",
    "fetch [--date DATE] [--cycle HH] [--to DIR] [--from BASE] [--until TIME] WHAT...",
#ifdef VUZAZAV_HAVE_LIBCURL
    "download NOAA's guidance products (nbs, mav, mex, gfs) from NCEP's servers",
#else
    "download NOAA's guidance products (left out: built without libcurl)",
#endif
    usage,
    options,
    std::size(options),
    cli_operands::one_or_more,
    run_fetch,
};
