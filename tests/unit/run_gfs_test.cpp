// vuzazav-cli gfs --chart on hours no chart can show: refused before anything is written.
#include "cli/commands.h"

#include "scratch_directory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

TEST(RunGfs, HoursBeyondAnyChartAreRefusedWritingNothing) {
    scratch_directory scratch;
    std::ifstream sample(fs::path(VUZAZAV_SOURCE_DIR) / "examples" / "gfs_model.txt");
    std::stringstream text;
    text << sample.rdbuf();
    std::string model = text.str();
    std::size_t last = model.find("[282]");
    ASSERT_NE(last, std::string::npos);
    model.replace(last, 5, "[2147483647]");
    std::ofstream(scratch.path / "far.txt") << model;

    // Such hours once drew a day line for each of 89 million days.
    const fs::path home = fs::current_path();
    fs::current_path(scratch.path);
    std::ostringstream out, err;
    const int status = run_cli({"gfs", "far.txt", "--chart", "far.svg"}, out,
                               diagnostics{&err, &out, "vuzazav-cli"});
    fs::current_path(home);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "vuzazav-cli: Your file is in the incorrect format.\n"
                         "vuzazav-cli: far.txt: the hours 0 to 2147483647 span more than a "
                         "chart can show\n");
    EXPECT_FALSE(fs::exists(scratch.path / "far.out"));
    EXPECT_FALSE(fs::exists(scratch.path / "far.svg"));
}
