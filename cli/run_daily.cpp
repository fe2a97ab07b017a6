#include "cli/run_daily.h"

#include <iterator>

static const char* const usage =
    "Usage: vuzazav-cli daily [--from BASE] [--archive DIR] [--until TIME] --weight W\n"
    "Today's forecast as a scheduler makes it: downloads today's 1200 UTC products (nbs,\n"
    "mav, mex), gathers their bulletins and makes the forecast, all into the day folder\n"
    "DIR/YYYYMMDD (today's date, UTC): the products, bulletins.txt, the report\n"
    "bulletins.out, forecast.json, forecast.svg and, where forecast makes one, the period\n"
    "product periods.txt. The day folder appears only when complete; a day already there\n"
    "is left as it is. Every line printed is led by the UTC time.\n"
#ifndef VUZAZAV_HAVE_LIBCURL
    "This vuzazav-cli is built without libcurl: daily is left out.\n"
#endif
    "\n"
    "Options:\n"
    "  --weight W      the weight, from 0 to 1, of the first short-range guidance (NBM or\n"
    "                  NAM) against AVN/GFS MOS, which gets 1 - W\n"
    "  --eta-weight W  the same, by its older name\n"
    "  --archive DIR   the folder of the day folders, made when missing (default: the\n"
    "                  current one)\n"
    "  --from BASE     a URL standing for NCEP's com/ folder, in place of NOMADS and ftpprd\n"
    "                  (as fetch takes it)\n"
    "  --until TIME    wait for late products until TIME, UTC: 18:00Z (today) or\n"
    "                  2026-12-09T18:00Z (default: give up at once)\n"
    "  -h, --help      show this help and exit\n"
    "\n"
    "Exit status: 0 the day is made (or was there), 1 a download or the bulletins were\n"
    "refused, 2 usage error (also a build without libcurl), 3 a file or folder could not\n"
    "be written, 4 today's products are not all there yet: nothing is issued.\n";

static const cli_option options[] = {
    {0, "weight", true, nullptr}, {0, "eta-weight", true, "weight"}, {0, "archive", true, nullptr},
    {0, "from", true, nullptr},   {0, "until", true, nullptr},
};

#ifndef VUZAZAV_HAVE_LIBCURL

int run_daily(const command_line&, std::ostream&, const diagnostics& to) {
    diagnose(to, "daily: this vuzazav-cli is built without libcurl, which downloads the products");
    return exit_usage;
}

#else

#include "calendar/bulletin_date.h"
#include "calendar/iso_date.h"
#include "cli/run_assemble.h"
#include "cli/run_fetch.h"
#include "cli/run_files.h"
#include "cli/run_forecast.h"
#include "fetch/fetch_products.h"
#include "reading/places.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <ostream>
#include <streambuf>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Passes lines on to a stream, each led by the UTC time it began, and each whole line at
// once, so that standard output and standard error appended to one log keep their order.
struct timed_lines : std::streambuf {
    explicit timed_lines(std::ostream& to) : to(to) {}
    std::ostream& to;
    bool line_start = true;

  protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        if (line_start) {
            const std::time_t now = std::time(nullptr);
            std::tm utc{};
            char stamp[32] = "";
            if (gmtime_r(&now, &utc))
                std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%SZ ", &utc);
            to << stamp;
        }
        const char written = traits_type::to_char_type(c);
        to.put(written);
        line_start = written == '\n';
        if (line_start) to.flush();
        return c;
    }
    int sync() override {
        to.flush();
        return 0;
    }
};

// What forecast writes into the day beside its report, by option.
const struct {
    const char* option;
    const char* name;
} day_outputs[] = {
    {"json", "forecast.json"}, {"chart", "forecast.svg"}, {"product", "periods.txt"}};

const char* const making_mark = ".daily-";

// The process number in the name of a day being made, ".20261209.daily-PID"; -1 for any
// other name.
long maker_of(const std::string& name) {
    const std::string mark = making_mark;
    const std::size_t number_at = 9 + mark.size();
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (name.size() <= number_at || name.size() > number_at + 9 || name[0] != '.' ||
        name.compare(9, mark.size(), mark) != 0 ||
        !std::all_of(name.begin() + 1, name.begin() + 9, digit) ||
        !std::all_of(name.begin() + static_cast<long>(number_at), name.end(), digit))
        return -1;
    return std::stol(name.substr(number_at));
}

// Days whose makers were killed beyond catching (SIGKILL, a power cut): folders of a
// process that is not running, untouched for ten minutes, as the writer's temporary files.
// A leftover that stays is harmless.
void remove_stale_days(const fs::path& archive) {
    const auto now = fs::file_time_type::clock::now();
    std::error_code ec;
    for (fs::directory_iterator it(archive, ec), end; !ec && it != end; it.increment(ec)) {
        const long pid = maker_of(it->path().filename().string());
        std::error_code skip;
        if (pid <= 0 || pid == getpid() || !fs::is_directory(it->symlink_status(skip))) continue;
        const auto touched = fs::last_write_time(it->path(), skip);
        if (skip || now - touched < std::chrono::minutes(10)) continue;
        if (kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
        fs::remove_all(it->path(), skip);
    }
}

// The folder's entries on the disk, so that a day that took its name keeps it after a crash.
void sync_folder(const fs::path& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    if (fsync(fd) != 0) {
        // The files themselves are on the disk; the names follow with the next sync.
    }
    close(fd);
}

// Makes the day in folder: today's products fetched, their bulletins gathered, the forecast
// made, each by its command. Returns the status of the step that failed, or exit_done.
int make_day(const command_line& parsed, const std::string& folder, const utc_time& today,
             std::ostream& out, const diagnostics& to) {
    const int cycle = 12;
    std::vector<std::string> fetch = {"--date", iso_date(today), "--cycle", std::to_string(cycle),
                                      "--to",   folder};
    for (const given_option& given : parsed.given)
        if (given.name == "from" || given.name == "until")
            fetch.insert(fetch.end(), {"--" + given.name, given.value});
    const fetch_product products[] = {fetch_product::nbs, fetch_product::mav, fetch_product::mex};
    for (fetch_product product : products) fetch.emplace_back(product_word(product));
    int status = run_command(fetch_command, fetch, out, to);
    if (status != exit_done) return status;

    const std::string into = folder + "/", bulletins = into + "bulletins.txt";
    std::vector<std::string> assemble = {"--date", "today", "-o", bulletins, "--"};
    for (fetch_product product : products)
        for (const std::string& name : saved_names(product, today, cycle))
            assemble.push_back(into + name);
    status = run_command(assemble_command, assemble, out, to);
    if (status != exit_done) return status;

    std::vector<std::string> forecast = {"--weight", last_given(parsed, "weight")->value};
    for (const auto& output : day_outputs)
        forecast.insert(forecast.end(), {"--" + std::string(output.option), into + output.name});
    forecast.insert(forecast.end(), {"--", bulletins});
    return run_command(forecast_command, forecast, out, to);
}

} // namespace

int run_daily(const command_line& parsed, std::ostream& out, const diagnostics& to) {
    timed_lines timed_out(out), timed_err(*to.sink);
    std::ostream table(&timed_out), log(&timed_err);
    const diagnostics said{&log, &table, to.program};
    double weight = 0;
    int status = read_forecast_weight(parsed, said, usage, weight);
    if (status != exit_done) return status;
    // Checked before anything is downloaded.
    for (const given_option& given : parsed.given) {
        long long until = 0;
        if (given.name == "from" && !is_fetch_server(given.value))
            return usage_error(said,
                               "--from " + quote_word(given.value) +
                                   " is no URL of http://, https:// or file://",
                               usage);
        if (given.name == "until" && !read_fetch_until(given.value, std::time(nullptr), until))
            return usage_error(said,
                               "--until " + quote_word(given.value) +
                                   " is no UTC time such as 18:00Z or 2026-12-09T18:00Z",
                               usage);
    }
    utc_time today{};
    status = today_utc(said, today);
    if (status != exit_done) return status;
    auto named = parsed.options.find("archive");
    const fs::path archive = named != parsed.options.end() ? named->second : ".";
    const std::string ymd = compact_date(today);
    const fs::path day = archive / ymd;
    const std::string date = format_bulletin_date(today);
    std::error_code ec;
    if (fs::exists(fs::symlink_status(day, ec))) {
        diagnose(said, day.string() + " is there already: " + date + " was issued; nothing to do");
        return exit_done;
    }
    const fs::path making = archive / ("." + ymd + making_mark + std::to_string(getpid()));
    fs::create_directories(archive, ec);
    if (!ec) remove_stale_days(archive);
    if (!ec) fs::remove_all(making, ec);
    if (!ec) fs::create_directory(making, ec);
    if (ec) {
        diagnose(said, making.string() + ": the folder could not be made: " + ec.message());
        return exit_not_written;
    }
    diagnose(said, "making the forecast of " + date + " in " + day.string());
    status = make_day(parsed, making.string(), today, table, said);
    if (status == exit_done) {
        sync_folder(making);
        fs::rename(making, day, ec);
        if (!ec) {
            sync_folder(archive);
            diagnose(said, "issued " + date + " in " + day.string());
            return exit_done;
        }
        // A day that took its name meanwhile was made whole by another run.
        std::error_code other;
        const bool made_meanwhile = fs::exists(fs::symlink_status(day, other));
        diagnose(said, day.string() + (made_meanwhile ? " was made meanwhile by another run"
                                                      : " could not be made: " + ec.message()));
        status = made_meanwhile ? exit_done : exit_not_written;
    }
    fs::remove_all(making, ec);
    if (status != exit_done)
        diagnose(said,
                 "nothing issued for " + date + " (exit status " + std::to_string(status) + ")");
    return status;
}

#endif

const cli_command daily_command = {
    "daily",
    "daily [--from BASE] [--archive DIR] [--until TIME] --weight W",
#ifdef VUZAZAV_HAVE_LIBCURL
    "today's products fetched, assembled and forecast into a dated archive folder",
#else
    "today's forecast into a dated archive folder (left out: built without libcurl)",
#endif
    usage,
    options,
    std::size(options),
    cli_operands::none,
    run_daily,
};
