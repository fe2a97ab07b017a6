#pragma once

#include "calendar/utc_time.h"
#include "fetch/http_session.h"
#include "fetch/product_files.h"

#include <functional>
#include <string>
#include <vector>

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
