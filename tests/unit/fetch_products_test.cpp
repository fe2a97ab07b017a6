// fetch against a server on 127.0.0.1 that the tests start (tests/fetch/server.py), which
// serves a folder laid out like NCEP's and counts what it sends.
#include "fetch/fetch_products.h"
#include "scratch_directory.h"
#include "test_server.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A GRIB2 message of length bytes, as far as its framing goes.
std::string message(std::size_t length, char fill) {
    std::string m = "GRIB";
    m += std::string{'\0', '\0', '\0', '\2'};
    for (int k = 7; k >= 0; --k) m += static_cast<char>(length >> (8 * k) & 0xff);
    m += std::string(length - 20, fill) + "7777";
    return m;
}

// A GFS file's messages in NCEP's order, "*" before those gfs-point reads, their times
// with H for the hour and S for six hours before; the last one is read, so the last range
// runs to the file's end.
const char* const gfs_file[] = {"*PRMSL:mean sea level:H",
                                "CLWMR:1 hybrid level:H",
                                "*HGT:1000 mb:H",
                                "TMP:1000 mb:H",
                                "*TMP:850 mb:H",
                                "RH:850 mb:H",
                                "*TMP:700 mb:H",
                                "*HGT:500 mb:H",
                                "*TMP:500 mb:H",
                                "*TMP:2 m above ground:H",
                                "DPT:2 m above ground:H",
                                "*RH:2 m above ground:H",
                                "*UGRD:10 m above ground:H",
                                "*VGRD:10 m above ground:H",
                                "*APCP:surface:S-H acc",
                                "*APCP:surface:0-H acc",
                                "TCDC:entire atmosphere:H",
                                "*TCDC:entire atmosphere:S-H ave"};
const int runs_read = 6; // of adjacent messages that gfs-point reads

const std::string gfs_folder = "com/gfs/prod/gfs.20261209/12/atmos/";

std::string gfs_name(int hour) {
    char name[40];
    std::snprintf(name, sizeof name, "gfs.t12z.pgrb2.0p25.f%03d", hour);
    return name;
}

// The files of every hour under root and their .idx; returns the bytes gfs-point reads of
// each hour.
std::vector<std::string> serve_gfs(const fs::path& root) {
    fs::create_directories(root / gfs_folder);
    std::vector<std::string> read;
    for (int hour = 6; hour <= 288; hour += 6) {
        std::string file, index, wanted;
        int n = 0;
        for (const std::string entry : gfs_file) {
            const bool read = entry[0] == '*';
            std::string times = entry.substr(entry.rfind(':') + 1), line;
            if (hour == 6 && times == "0-H acc") continue; // the same as 0-6, the bucket
            for (char c : times)
                line += c == 'S'   ? std::to_string(hour - 6)
                        : c == 'H' ? std::to_string(hour) + " hour"
                                   : std::string(1, c);
            index += std::to_string(++n) + ":" + std::to_string(file.size()) +
                     ":d=2026120912:" + entry.substr(read, entry.rfind(':') + 1 - read) + line +
                     " fcst:\n";
            const std::string m = message(100 + 7 * n + hour, static_cast<char>('a' + n));
            file += m;
            if (read) wanted += m;
        }
        std::ofstream(root / gfs_folder / gfs_name(hour), std::ios::binary) << file;
        std::ofstream(root / gfs_folder / (gfs_name(hour) + ".idx")) << index;
        read.push_back(wanted);
    }
    return read;
}

const std::string nbs_path = "com/blend/prod/blend.20261209/12/text/blend_nbstx.t12z";
const std::string mav_path = "com/gfs_mos/prod/gfs_mos.20261209/mdl_gfsmav.t12z";
const std::string mex_path = "com/gfs_mos/prod/gfs_mos.20261209/mdl_gfsmex.t00z";

void serve_text(const fs::path& root, const std::string& path, std::size_t size) {
    fs::create_directories((root / path).parent_path());
    std::ofstream(root / path, std::ios::binary) << std::string(size, 'x');
}

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Fetch : testing::Test {
    scratch_directory scratch;
    fs::path root = scratch.path / "server", to = scratch.path / "to";
    std::vector<std::string> lines;
    std::vector<long long> pauses;
    long long now = 1'796'817'600; // 2026-12-09T12:00:00Z

    void SetUp() override { fs::create_directories(to); }

    fetch_request request(const std::vector<std::string>& servers,
                          std::vector<fetch_product> what) {
        fetch_request r;
        r.date = {2026, 12, 9, 0};
        r.products = std::move(what);
        r.servers = servers;
        r.directory = to.string();
        r.pauses = {10, 2, 40};
        r.limits.stall_seconds = 1;
        r.clock = [this] { return now; };
        r.sleep = [this](long long s) {
            pauses.push_back(s);
            now += s;
        };
        return r;
    }
    int fetch(const fetch_request& r) {
        return fetch_products(r, [this](const std::string& l) { lines.push_back(l); }).status;
    }
};

TEST_F(Fetch, GetsOnlyTheMessagesGfsPointReadsAndNeverTwice) {
    const std::vector<std::string> read = serve_gfs(root);
    test_server server(root, scratch.path / "log", {});
    ASSERT_EQ(fetch(request({server.base}, {fetch_product::gfs})), fetch_done);
    long long sent = 0, wanted = 0;
    int idx = 0, ranges = 0;
    for (const served& s : server.requests()) {
        sent += s.bytes;
        idx += s.path.size() > 4 && s.path.substr(s.path.size() - 4) == ".idx";
        ranges += s.status == 206;
    }
    for (std::size_t h = 0; h < read.size(); ++h) {
        EXPECT_EQ(contents(to / gfs_name(6 * static_cast<int>(h) + 6)), read[h]);
        wanted +=
            read[h].size() + fs::file_size(root / gfs_folder / (gfs_name(6 * h + 6) + ".idx"));
    }
    EXPECT_EQ(idx, 48);
    EXPECT_EQ(ranges, 48 * runs_read);
    EXPECT_EQ(sent, wanted);

    // Complete files stay: each hour's inventory read again, and the file's size asked.
    const std::size_t before = server.requests().size();
    ASSERT_EQ(fetch(request({server.base}, {fetch_product::gfs})), fetch_done);
    for (std::size_t i = before; i < server.requests().size(); ++i)
        EXPECT_NE(server.requests()[i].status, 206);
}

TEST_F(Fetch, WaitsForLateProductsAndGivesUpOnAbsentOnes) {
    serve_text(root, nbs_path, 5000);
    serve_text(root, mav_path, 3000);
    std::ofstream(to / "mdl_gfsmav.t12z") << "an older, shorter file";
    test_server server(root, scratch.path / "log", {"--late", "/" + nbs_path + "=2"});
    fetch_request r = request({server.base}, {fetch_product::nbs, fetch_product::mav});
    r.until = now + 600;
    ASSERT_EQ(fetch(r), fetch_done);
    // The pause starts over once mav came, then grows while nbs is late.
    EXPECT_EQ(pauses, (std::vector<long long>{10, 20}));
    EXPECT_EQ(fs::file_size(to / "blend_nbstx.t12z"), 5000u);
    EXPECT_EQ(fs::file_size(to / "mdl_gfsmav.t12z"), 3000u);

    // mex stays absent: tries until the time given, then exit status 4; the complete
    // products are asked for their size only.
    pauses.clear();
    r.products.push_back(fetch_product::mex);
    r.until = now + 75;
    const std::size_t before = server.requests().size();
    EXPECT_EQ(fetch(r), fetch_not_yet);
    const std::vector<served> asked = server.requests();
    EXPECT_EQ(pauses, (std::vector<long long>{10, 20, 40, 5}));
    EXPECT_FALSE(fs::exists(to / "mdl_gfsmex.t00z"));
    EXPECT_NE(lines.back().find("1 file is not on the servers yet"), std::string::npos);
    for (std::size_t i = before; i < asked.size(); ++i) {
        const served& s = asked[i];
        EXPECT_TRUE(s.method == "HEAD" || s.path == "/" + mex_path) << s.method << s.path;
    }
}

// Each fault ends the fetch as a broken download with nothing written, not even a
// temporary file.
TEST_F(Fetch, BrokenDownloadsLeaveNothing) {
    serve_gfs(root);
    serve_text(root, nbs_path, 300000);
    // Hour 12's pressure message ends before its 7777.
    std::string hour12 = contents(root / gfs_folder / gfs_name(12));
    hour12.replace(hour12.find("7777"), 4, "7770");
    std::ofstream(root / gfs_folder / gfs_name(12), std::ios::binary) << hour12;
    const std::string f6 = "/" + gfs_folder + gfs_name(6);
    const struct {
        const char* name;
        std::vector<std::string> server;
        fetch_product what;
    } faults[] = {
        {"ranges ignored", {"--ignore-ranges"}, fetch_product::gfs},
        {"range cut", {"--cut", f6 + "=50"}, fetch_product::gfs},
        {"range stalled", {"--stall", f6 + "=0"}, fetch_product::gfs},
        {"text cut", {"--cut", "/" + nbs_path + "=100000"}, fetch_product::nbs},
        {"no 7777", {}, fetch_product::gfs},
    };
    for (const auto& fault : faults) {
        fs::remove_all(to);
        fs::create_directories(to);
        test_server server(root, scratch.path / "log", fault.server);
        EXPECT_EQ(fetch(request({server.base}, {fault.what})), fetch_broken) << fault.name;
        for (const auto& left : fs::directory_iterator(to))
            EXPECT_EQ(left.path().filename().string().substr(0, 4), "gfs.") << left.path();
        EXPECT_FALSE(fs::exists(to / gfs_name(fault.server.empty() ? 12 : 6)));
        EXPECT_FALSE(fs::exists(to / "blend_nbstx.t12z"));
    }
}

TEST_F(Fetch, TriesTheServersInTurnAndReadsFileUrls) {
    const std::vector<std::string> read = serve_gfs(root);
    serve_text(root, mex_path, 4000);
    test_server server(scratch.path, scratch.path / "log", {});
    const std::string file_base = "file://" + (root / "com").string();
    ASSERT_EQ(fetch(request({server.base, file_base}, {fetch_product::mex, fetch_product::gfs})),
              fetch_done);
    EXPECT_EQ(fs::file_size(to / "mdl_gfsmex.t00z"), 4000u);
    EXPECT_EQ(contents(to / gfs_name(288)), read.back());
    // The first server had nothing: once the second gave a file, it is asked first.
    EXPECT_EQ(server.requests().size(), 1u);
}

// A paced host gets no more than its requests a minute, waited for on the request's clock;
// the other tests' loopback server, a host not paced, waits for nothing.
TEST_F(Fetch, PacesRequestsToNoaasHosts) {
    serve_text(root, nbs_path, 100);
    serve_text(root, mav_path, 100);
    serve_text(root, mex_path, 100);
    test_server server(root, scratch.path / "log", {});
    fetch_request r =
        request({server.base}, {fetch_product::nbs, fetch_product::mav, fetch_product::mex});
    r.pacing = {{"127.0.0.1"}, 2};
    ASSERT_EQ(fetch(r), fetch_done);
    EXPECT_EQ(pauses, std::vector<long long>{61});
    EXPECT_EQ(server.requests().size(), 3u);
}

const long long half_past_four = 1'796'833'800; // 2026-12-09T16:30:00Z

TEST(FetchOptions, ReadsTimesAndDates) {
    long long until = 0;
    EXPECT_TRUE(read_fetch_until("16:30Z", half_past_four, until));
    EXPECT_EQ(until, half_past_four);
    EXPECT_TRUE(read_fetch_until("2026-12-10T00:00:59Z", half_past_four, until));
    EXPECT_EQ(until, half_past_four + 7.5 * 3600 + 59);
    for (const char* wrong : {"16:30", "24:00Z", "16:60Z", "2026-02-30T16:30Z", "16:30:00:00Z"})
        EXPECT_FALSE(read_fetch_until(wrong, half_past_four, until)) << wrong;
    utc_time date{};
    EXPECT_TRUE(read_fetch_date("today", half_past_four + 7.5 * 3600, date));
    EXPECT_EQ(date.day, 10);
    EXPECT_TRUE(read_fetch_date("12/09/2026", half_past_four, date));
    EXPECT_EQ(date.day, 9);
    int cycle = -1;
    EXPECT_TRUE(read_fetch_cycle("06", cycle));
    EXPECT_EQ(cycle, 6);
    EXPECT_FALSE(read_fetch_cycle("13", cycle));
}

} // namespace
