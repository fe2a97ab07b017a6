#pragma once

#include "calendar/utc_time.h"
#include "fetch/http_session.h"

#include <functional>
#include <string>
#include <vector>

// NOAA's guidance products downloaded from NCEP's servers: what is asked for (the products,
// the run, the servers, how long to wait), the words of the command line that ask it, and
// the download itself.

// What fetch downloads: the national NBS text product of the cycle, the GFS MOS text
// products (MAV of the cycle, MEX of 0000 UTC, the one the extended bulletins come from),
// and the GFS GRIB2 messages of hours 6 to 288 that gfs-point reads.
enum class fetch_product { nbs, mav, mex, gfs };

// "nbs", "mav", "mex", "gfs".
const char* product_word(fetch_product product);

// The names the files of product for the run of date's day at cycle are saved under, as
// the server names them: "blend_nbstx.t12z"; one per forecast hour of the GFS.
std::vector<std::string> saved_names(fetch_product product, const utc_time& date, int cycle);

// How a fetch ended, as vuzazav-cli's exit status: everything there; a download broken or
// refused; a file that could not be saved; a product the servers did not have yet when
// fetch gave up, which a later try may find.
inline constexpr int fetch_done = 0;
inline constexpr int fetch_broken = 1;
inline constexpr int fetch_not_written = 3;
inline constexpr int fetch_not_yet = 4;

// NCEP's two public servers with the same folders under "com/", tried in turn.
inline const std::vector<std::string> ncep_servers = {
    "https://nomads.ncep.noaa.gov/pub/data/nccf/com/",
    "https://ftpprd.ncep.noaa.gov/data/nccf/com/",
};

// The pauses between tries while a file is not on the servers yet: first, then each one
// factor times the one before, up to longest; seconds. A try that brings a file starts
// over at first.
struct pause_schedule {
    long long first = 60;
    long long factor = 2;
    long long longest = 900;
};

struct fetch_request {
    utc_time date{}; // the run's day (its hour is not used)
    int cycle = 12;  // the run's hour, 0 to 23
    std::vector<fetch_product> products;
    std::vector<std::string> servers = ncep_servers; // URL prefixes standing for "com/"
    std::string directory = ".";                     // where the files are saved
    long long until = 0; // seconds since 1970 UTC: retry while files are missing until
                         // then; a time past gives up after the first try
    pause_schedule pauses;
    transfer_limits limits;
    request_pacing pacing; // NOAA's servers paced, any other not
    std::string user_agent = "vuzazav";
    std::function<long long()> clock;     // seconds since 1970 UTC; empty for the system's
    std::function<void(long long)> sleep; // waits that many seconds; empty for the system's
};

struct fetch_result {
    int status = fetch_done;
    std::vector<std::string> written; // the files saved
};

// Downloads the request's products into its directory, each file completely or not at
// all, with the servers tried in turn for each, and waits for those not there yet. Every
// line of log is one for standard error. Prints nothing.
fetch_result fetch_products(const fetch_request& request,
                            const std::function<void(const std::string&)>& log);

// The words of fetch's command line, read. Each returns false, leaving its result as it
// was, for a word it does not take. now is seconds since 1970 UTC.

// "nbs", "mav", "mex" or "gfs".
bool read_fetch_product(const std::string& word, fetch_product& product);

// A cycle of all four products: 0, 6, 12 or 18, with or without a leading zero.
bool read_fetch_cycle(const std::string& word, int& cycle);

// A date as assemble takes it, "2026-12-09" or "12/09/2026", or "today" (UTC).
bool read_fetch_date(const std::string& word, long long now, utc_time& date);

// When to stop waiting: "16:30Z" (today, UTC) or "2026-12-09T16:30Z", with or without
// seconds ("16:30:00Z"); as seconds since 1970 UTC.
bool read_fetch_until(const std::string& word, long long now, long long& until);

// Whether word is a server fetch takes: a URL of http://, https:// or file://.
bool is_fetch_server(const std::string& word);

// The UTC time of seconds since 1970, to the hour.
utc_time utc_hour_of(long long seconds);
