#include "cli/commands.h"
#include "scratch_directory.h"
#include "test_server.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Words it does not take are usage errors before anything is asked of a server; a product
// not there yet (4) is told apart from a folder that cannot be made (3).
TEST(RunFetch, EachOutcomeHasItsStatus) {
    scratch_directory scratch;
    const fs::path mos = scratch.path / "server/com/gfs_mos/prod/gfs_mos.20261209";
    const fs::path to = scratch.path / "a" / "b";
    fs::create_directories(mos);
    std::ofstream(mos / "mdl_gfsmav.t12z") << "MAV";
    std::ofstream(mos / "mdl_gfsmex.t00z") << "MEX";
    std::ofstream(scratch.path / "file") << "not a folder";
    test_server server(scratch.path / "server", scratch.path / "log", {});
    const std::string from = "--from=" + server.base, date = "--date=2026-12-09";
    const std::string into = "--to=" + to.string();
    const struct {
        std::vector<std::string> args;
        int status;
    } cases[] = {
        {{"fetch", from}, 2},
        {{"fetch", from, "nbs", "grib"}, 2},
        {{"fetch", from, "--cycle", "13", "nbs"}, 2},
        {{"fetch", "--from", "ftp://127.0.0.1/com/", "nbs"}, 2},
        {{"fetch", from, "--until", "18:00", "nbs"}, 2},
        {{"fetch", from, "--date", "2026-02-30", "nbs"}, 2},
        {{"fetch", from, date, into, "nbs", "mav"}, 4},
        {{"fetch", from, date, "--to", (scratch.path / "file" / "x").string(), "mav"}, 3},
        {{"fetch", from, date, into, "mav", "mex"}, 0},
    };
    std::ostringstream out, err;
    for (const auto& c : cases) {
        err.str("");
        EXPECT_EQ(run_cli(c.args, out, diagnostics{&err, &out, "vuzazav-cli"}), c.status)
            << c.args.back() << "\n"
            << err.str();
    }
    // nbs asked once, mav got, then its size asked once it was there, and mex got.
    EXPECT_EQ(server.requests().size(), 4u);
    EXPECT_EQ(out.str(), "");
    EXPECT_FALSE(fs::exists(to / "blend_nbstx.t12z"));
    std::ifstream mav(to / "mdl_gfsmav.t12z"), mex(to / "mdl_gfsmex.t00z");
    std::string words;
    mav >> words;
    EXPECT_EQ(words, "MAV");
    mex >> words;
    EXPECT_EQ(words, "MEX");
}

} // namespace
