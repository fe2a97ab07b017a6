#include "fetch/fetch_products.h"

#include "calendar/iso_date.h"
#include "fetch/fetch_file.h"
#include "fetch/fetch_options.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>
#include <thread>

namespace {

// A file still to get, and what the last try at it said.
struct pending_file {
    product_file file;
    std::string absent; // the first server's word that it is not there
};

// "2026-12-09T16:30:00Z".
std::string time_words(long long seconds) {
    const utc_time hour = utc_hour_of(seconds);
    const long long rest = seconds - days_since_epoch(hour) * 86400 - hour.hour * 3600LL;
    char mmss[8];
    std::snprintf(mmss, sizeof mmss, "%02lld:%02lld", rest / 60 % 100, rest % 60);
    return iso_time(hour).substr(0, 14) + mmss + "Z";
}

// "a, b, c and 4 more".
std::string some_names(const std::vector<pending_file>& files) {
    std::string names;
    const std::size_t shown = std::min<std::size_t>(files.size(), 3);
    for (std::size_t i = 0; i < shown; ++i) names += (i ? ", " : "") + saved_name(files[i].file);
    if (files.size() > shown) names += " and " + std::to_string(files.size() - shown) + " more";
    return names;
}

} // namespace

fetch_result fetch_products(const fetch_request& request,
                            const std::function<void(const std::string&)>& log) {
    const auto clock =
        request.clock ? request.clock : [] { return static_cast<long long>(std::time(nullptr)); };
    const auto sleep = request.sleep ? request.sleep : [](long long seconds) {
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
    };
    fetch_result result;
    std::error_code error;
    if (!std::filesystem::is_directory(request.directory, error)) {
        log(request.directory + ": no such folder, nothing fetched");
        result.status = fetch_not_written;
        return result;
    }
    std::vector<std::string> servers = request.servers;
    for (std::string& s : servers)
        if (s.empty() || s.back() != '/') s += '/';

    std::vector<pending_file> pending;
    for (fetch_product p : request.products) {
        for (const product_file& f : product_files(p, request.date, request.cycle)) {
            const bool listed =
                std::any_of(pending.begin(), pending.end(),
                            [&f](const pending_file& q) { return q.file.path == f.path; });
            if (!listed) pending.push_back({f, ""});
        }
    }

    if (servers.empty()) log("no server to fetch from");
    http_session session = open_http_session(request.limits, request.user_agent);
    bool broken = false;
    std::size_t preferred = 0; // the server that last gave a file, tried first
    long long pause = request.pauses.first;
    while (!pending.empty() && !servers.empty()) {
        std::vector<pending_file> waiting;
        bool progress = false;
        for (pending_file& p : pending) {
            bool worth_waiting = false;
            bool done = false;
            p.absent.clear();
            for (std::size_t k = 0; k < servers.size() && !done; ++k) {
                const std::size_t s = (preferred + k) % servers.size();
                const file_outcome o = fetch_file(session, servers[s], p.file, request.directory);
                switch (o.state) {
                case file_state::fetched:
                    result.written.push_back(saved_path(request.directory, p.file));
                    [[fallthrough]];
                case file_state::kept:
                    log(o.what);
                    preferred = s;
                    progress = done = true;
                    break;
                case file_state::not_written:
                    // The folder takes no file: what more came would be lost too.
                    log(o.what);
                    result.status = fetch_not_written;
                    return result;
                case file_state::absent:
                    if (p.absent.empty()) p.absent = o.what;
                    worth_waiting = true;
                    break;
                case file_state::failed:
                    worth_waiting = true;
                    log(o.what);
                    break;
                case file_state::refused:
                    log(o.what);
                    break;
                }
            }
            if (done) continue;
            if (worth_waiting)
                waiting.push_back(p);
            else
                broken = true;
        }
        pending = waiting;
        if (pending.empty()) break;
        const long long now = clock();
        if (now >= request.until) break;
        if (progress) pause = request.pauses.first;
        const long long wait = std::max(1LL, std::min(pause, request.until - now));
        log("still to fetch: " + some_names(pending) + "; trying again in " +
            std::to_string(wait) + " s (until " + time_words(request.until) + ")");
        sleep(wait);
        pause = std::min(pause * std::max(1LL, request.pauses.factor), request.pauses.longest);
    }

    long long absent = 0;
    for (const pending_file& p : pending) {
        if (p.absent.empty()) {
            broken = true; // the network failed to the end
        } else {
            log(p.absent);
            ++absent;
        }
    }
    if (absent > 0)
        log("gave up at " + time_words(clock()) + ": " + std::to_string(absent) +
            (absent == 1 ? " file is" : " files are") + " not on the servers yet");
    if (broken)
        result.status = fetch_broken;
    else if (absent > 0)
        result.status = fetch_not_yet;
    return result;
}
