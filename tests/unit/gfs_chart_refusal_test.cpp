// vuzazav-cli gfs --chart on hours no chart can show: refused before anything is written.
#ifndef _WIN32

#include "scratch_directory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace fs = std::filesystem;

TEST(GfsChartRefusal, HoursBeyondAnyChartAreRefusedWritingNothing) {
    scratch_directory scratch;
    std::ifstream sample(fs::path(VUZAZAV_SOURCE_DIR) / "examples" / "gfs_model.txt");
    std::stringstream text;
    text << sample.rdbuf();
    std::string model = text.str();
    std::size_t last = model.find("[282]");
    ASSERT_NE(last, std::string::npos);
    model.replace(last, 5, "[2147483647]");
    std::ofstream(scratch.path / "far.txt") << model;

    // Such hours once drew a day line for each of 89 million days; the timeout keeps a
    // return of that from holding up the suite.
    std::string command = "cd '" + scratch.path.string() +
                          "' && timeout 20 '" VUZAZAV_CLI
                          "' gfs far.txt --chart far.svg </dev/null >out.txt 2>err.txt";
    int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    std::ifstream err(scratch.path / "err.txt");
    std::stringstream said;
    said << err.rdbuf();
    EXPECT_EQ(said.str(), "vuzazav-cli: Your file is in the incorrect format.\n"
                          "vuzazav-cli: far.txt: the hours 0 to 2147483647 span more than a "
                          "chart can show\n");
    EXPECT_FALSE(fs::exists(scratch.path / "far.out"));
    EXPECT_FALSE(fs::exists(scratch.path / "far.svg"));
}

#endif
