#include "fetch/fetch_products.h"

#include "calendar/bulletin_date.h"
#include "calendar/iso_date.h"
#include "diagnostics/diagnostics.h"
#include "fetch/grib_index.h"
#include "files/output_writer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>
#include <thread>

namespace {

// A file of a product as it lies on NCEP's servers, below their "com/" folder:
// "gfs/prod/gfs.20261209/12/atmos/gfs.t12z.pgrb2.0p25.f006". hour is the GFS forecast
// hour, 0 for a text product.
struct product_file {
    fetch_product product;
    std::string path;
    std::string run; // the run's date and cycle as an inventory gives them, "2026120912"
    int hour;
};

// The files of product for the run of date's day at cycle (0 to 23): one for a text
// product, one per forecast hour of the GFS.
std::vector<product_file> product_files(fetch_product product, const utc_time& date, int cycle) {
    char hh[8];
    std::snprintf(hh, sizeof hh, "%02d", cycle % 100);
    const std::string ymd = compact_date(date), c = hh, run = ymd + c;
    switch (product) {
    case fetch_product::nbs:
        return {{product, "blend/prod/blend." + ymd + "/" + c + "/text/blend_nbstx.t" + c + "z",
                 run, 0}};
    case fetch_product::mav:
        return {{product, "gfs_mos/prod/gfs_mos." + ymd + "/mdl_gfsmav.t" + c + "z", run, 0}};
    case fetch_product::mex:
        return {{product, "gfs_mos/prod/gfs_mos." + ymd + "/mdl_gfsmex.t00z", ymd + "00", 0}};
    case fetch_product::gfs:
        break;
    }
    const std::string hours =
        "gfs/prod/gfs." + ymd + "/" + c + "/atmos/gfs.t" + c + "z.pgrb2.0p25.f";
    std::vector<product_file> files;
    for (int hour = first_gfs_hour; hour <= last_gfs_hour; hour += gfs_hour_step) {
        char f[8];
        std::snprintf(f, sizeof f, "%03d", hour);
        files.push_back({product, hours + f, run, hour});
    }
    return files;
}

// The name a file is saved under: the last part of its path.
std::string saved_name(const product_file& file) {
    return file.path.substr(file.path.rfind('/') + 1);
}

// How one try at one file from one server ended.
enum class file_state {
    fetched,     // downloaded whole and saved
    kept,        // already complete in the folder: not downloaded again
    absent,      // not on the server (yet)
    failed,      // the network failed: worth another try
    refused,     // a broken download: a wrong answer, a message not whole
    not_written, // downloaded, but it could not be saved
};

struct file_outcome {
    file_state state = file_state::failed;
    std::string what; // one line for the log: what was saved, or what went wrong
};

// Beyond any real answer (the national NBS product is tens of megabytes, an inventory tens
// of kilobytes, a GRIB2 message of the GFS one or two megabytes), so that a server that
// sends without end cannot take all the memory.
const long long most_bytes = 256LL << 20;
const long long most_index_bytes = 16LL << 20;

// The size of the regular file at path; false for none.
bool size_in_folder(const std::string& path, long long& size) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    const auto bytes = std::filesystem::file_size(path, error);
    if (error) return false;
    size = static_cast<long long>(bytes);
    return true;
}

file_outcome outcome_of(const transfer& t, const std::string& what) {
    switch (t.end) {
    case transfer_end::absent:
        return {file_state::absent, what + ": not on the server (" + t.why + ")"};
    case transfer_end::refused:
        return {file_state::refused, what + ": " + t.why};
    default:
        return {file_state::failed, what + ": " + t.why};
    }
}

file_outcome refusal(const std::string& where, const std::string& why) {
    return {file_state::refused, where + ": " + why};
}

file_outcome kept(const std::string& target, long long size) {
    return {file_state::kept,
            target + " is complete (" + std::to_string(size) + " bytes): not downloaded again"};
}

file_outcome save(const std::string& target, const std::string& bytes, const std::string& how) {
    fault why;
    if (!write_run_output(target, bytes, why)) return {file_state::not_written, fault_line(why)};
    return {file_state::fetched, "wrote " + target + " (" + how + ")"};
}

file_outcome fetch_text(http_session& session, const std::string& url, const std::string& target) {
    long long have = 0;
    if (size_in_folder(target, have)) {
        const transfer t = http_size(session, url);
        if (t.end != transfer_end::complete) return outcome_of(t, url);
        if (t.size == have) return kept(target, have);
    }
    std::string body;
    const transfer t = http_get(session, url, "", most_bytes, body);
    if (t.end != transfer_end::complete) return outcome_of(t, url);
    return save(target, body, std::to_string(body.size()) + " bytes from " + url);
}

file_outcome fetch_gfs_hour(http_session& session, const std::string& url,
                            const std::string& target, const product_file& file) {
    const std::string index_url = url + ".idx";
    std::string text;
    const transfer t = http_get(session, index_url, "", most_index_bytes, text);
    if (t.end != transfer_end::complete) return outcome_of(t, index_url);
    std::vector<index_line> lines;
    std::string why;
    if (!read_grib_index(text, lines, why)) return refusal(index_url, why);
    for (const index_line& line : lines) {
        if (line.run != file.run)
            return refusal(index_url, "lists the run " + line.run + ", not " + file.run);
    }
    const std::string missing = missing_gfs_point_fields(lines, file.hour);
    if (!missing.empty())
        return refusal(index_url, "lists no " + missing + " at hour " + std::to_string(file.hour));
    const std::vector<byte_range> ranges = wanted_ranges(
        lines, [&file](const index_line& l) { return gfs_point_reads(l, file.hour); });

    long long closed = 0, have = 0;
    std::size_t messages = 0;
    for (const byte_range& r : ranges) {
        if (r.last >= 0) closed += r.last - r.first + 1;
        messages += r.messages.size();
    }
    if (size_in_folder(target, have)) {
        long long want = closed;
        // Only the file's size tells where its last message ends.
        if (ranges.back().last < 0) {
            const transfer size = http_size(session, url);
            if (size.end != transfer_end::complete) return outcome_of(size, url);
            want += size.size - ranges.back().first;
        }
        if (have == want) return kept(target, have);
    }

    std::string bytes, part;
    bytes.reserve(static_cast<std::size_t>(closed));
    for (const byte_range& r : ranges) {
        const std::string where = url + " bytes " + range_words(r);
        const long long length = r.last < 0 ? most_bytes : r.last - r.first + 1;
        const transfer got = http_get(session, url, range_words(r), length, part);
        if (got.end != transfer_end::complete) return outcome_of(got, where);
        if (r.last >= 0 && static_cast<long long>(part.size()) != length)
            return refusal(where, std::to_string(part.size()) + " bytes came, not " +
                                      std::to_string(length));
        if (!check_grib_messages(part, r, why)) return refusal(where, why);
        bytes += part;
    }
    return save(target, bytes,
                std::to_string(messages) + " messages in " + std::to_string(ranges.size()) +
                    " byte ranges, " + std::to_string(bytes.size()) + " bytes from " + url);
}

// Where file is saved in directory: under its own name.
std::string saved_path(const std::string& directory, const product_file& file) {
    if (directory.empty()) return saved_name(file);
    return directory + (directory.back() == '/' ? "" : "/") + saved_name(file);
}

// Tries file from the server at base (a URL ending in "/" that stands for NCEP's "com/"
// folder) and saves it in directory under its own name, completely or not at all. A text
// product comes whole; a GFS hour as the messages of it that gfs-point reads, by the byte
// ranges its .idx inventory gives, each a run of adjacent messages. A file of the same
// name and size is already complete and is kept.
file_outcome fetch_file(http_session& session, const std::string& base, const product_file& file,
                        const std::string& directory) {
    const std::string url = base + file.path;
    const std::string target = saved_path(directory, file);
    if (file.product == fetch_product::gfs) return fetch_gfs_hour(session, url, target, file);
    return fetch_text(session, url, target);
}

long long floor_div(long long a, long long b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// Two digits from text at i, up to most; -1 for anything else.
int two_digits(const std::string& text, std::size_t i, int most) {
    if (i + 2 > text.size()) return -1;
    const char a = text[i], b = text[i + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9') return -1;
    const int value = (a - '0') * 10 + (b - '0');
    return value <= most ? value : -1;
}

// "HH:MMZ" or "HH:MM:SSZ" as seconds into the day; -1 for anything else.
long long seconds_of_day(const std::string& text) {
    const int hours = two_digits(text, 0, 23), minutes = two_digits(text, 3, 59);
    if (hours < 0 || minutes < 0 || text[2] != ':') return -1;
    long long seconds = hours * 3600LL + minutes * 60LL;
    if (text.size() == 6 && text[5] == 'Z') return seconds;
    const int s = two_digits(text, 6, 59);
    if (text.size() != 9 || text[5] != ':' || s < 0 || text[8] != 'Z') return -1;
    return seconds + s;
}

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

const char* product_word(fetch_product product) {
    switch (product) {
    case fetch_product::nbs:
        return "nbs";
    case fetch_product::mav:
        return "mav";
    case fetch_product::mex:
        return "mex";
    case fetch_product::gfs:
        break;
    }
    return "gfs";
}

std::vector<std::string> saved_names(fetch_product product, const utc_time& date, int cycle) {
    std::vector<std::string> names;
    for (const product_file& file : product_files(product, date, cycle))
        names.push_back(saved_name(file));
    return names;
}

utc_time utc_hour_of(long long seconds) {
    return add_hours({1970, 1, 1, 0}, floor_div(seconds, 3600));
}

bool read_fetch_product(const std::string& word, fetch_product& product) {
    for (fetch_product p :
         {fetch_product::nbs, fetch_product::mav, fetch_product::mex, fetch_product::gfs}) {
        if (word == product_word(p)) {
            product = p;
            return true;
        }
    }
    return false;
}

bool read_fetch_cycle(const std::string& word, int& cycle) {
    for (int c : {0, 6, 12, 18}) {
        if (word == std::to_string(c) || (c < 10 && word == "0" + std::to_string(c))) {
            cycle = c;
            return true;
        }
    }
    return false;
}

bool read_fetch_date(const std::string& word, long long now, utc_time& date) {
    utc_time read{};
    if (word == "today")
        read = utc_hour_of(now);
    else if (!parse_iso_date(word, read) && !parse_bulletin_date(word, read))
        return false;
    read.hour = 0;
    date = read;
    return true;
}

bool read_fetch_until(const std::string& word, long long now, long long& until) {
    utc_time day = utc_hour_of(now);
    std::string clock = word;
    const std::size_t t = word.find('T');
    if (t != std::string::npos) {
        if (!parse_iso_date(word.substr(0, t), day)) return false;
        clock = word.substr(t + 1);
    }
    const long long seconds = seconds_of_day(clock);
    if (seconds < 0) return false;
    until = days_since_epoch(day) * 86400 + seconds;
    return true;
}

bool is_fetch_server(const std::string& word) {
    for (const char* scheme : {"http://", "https://", "file://"}) {
        const std::string s = scheme;
        if (word.size() > s.size() && word.compare(0, s.size(), s) == 0) return true;
    }
    return false;
}

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
    http_session session =
        open_http_session(request.limits, request.user_agent, request.pacing, clock, sleep);
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
        log("still to fetch: " + some_names(pending) + "; trying again in " + std::to_string(wait) +
            " s (until " + time_words(request.until) + ")");
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
